// The obvious implementation of the program's first window, as a Qt developer would write it
// without looking at start-up costs: the same widgets, texts, fonts, colours, menus and icon,
// Fusion, and nothing else (no style of its own, no accessible interfaces, no settings, no
// single-instance lock). It is the yardstick the program's start is measured against, so it
// must stay honest: nothing here is made slower than the plain way of writing it.
//
// Usage: startup_plain <report-fd>   writes one line to <report-fd> once the window has been
// painted and the picture handed to the window system, then ends at once.

#include "startup/first_paint_report.h"

#include <QApplication>
#include <QComboBox>
#include <QFont>
#include <QFrame>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStyleFactory>
#include <QVBoxLayout>
#include <cstdio>
#include <cstdlib>

namespace {

// The window is designed in twips, 15 to a pixel.
QRect twips(int left, int top, int width, int height) {
    const auto px = [](int t) { return (t + 7) / 15; };
    return {px(left), px(top), px(width), px(height)};
}

QFont designFont(const QString& family, qreal points, bool bold = false, bool underline = false) {
    QFont font(family);
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setUnderline(underline);
    return font;
}

void setColours(QWidget* widget, const QColor& background, const QColor& text) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, text);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QLabel* linkLabel(const QString& text, QWidget* parent, const QRect& geometry, const QFont& font) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(geometry);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    label->setCursor(Qt::PointingHandCursor);
    label->setFocusPolicy(Qt::TabFocus);
    return label;
}

class MainWindow : public QWidget {
public:
    MainWindow() {
        setWindowTitle(QStringLiteral("VL Subconscious Self Number  v1.90"));
        setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                       Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        layout->setSizeConstraint(QLayout::SetFixedSize);
        layout->setMenuBar(menus());
        layout->addWidget(client());
        m_firstName->setFocus();
    }

private:
    QMenuBar* menus() {
        auto* bar = new QMenuBar(this);
        QMenu* file = bar->addMenu(QStringLiteral("&File"));
        file->addAction(QStringLiteral("&Next"));
        file->addAction(QStringLiteral("E&xit"), this, &QWidget::close);
        QMenu* help = bar->addMenu(QStringLiteral("&Help"));
        help->addAction(QStringLiteral("&Online Help"));
        help->addAction(QStringLiteral("&Visit Us Online"));
        help->addSeparator();
        help->addAction(QStringLiteral("&Check for Software Update"));
        help->addSeparator();
        help->addAction(QStringLiteral("&About Software"));
        bar->addAction(QStringLiteral("&Donate"));
        bar->addAction(QStringLiteral("Make Money &Online"))->setVisible(false);
        return bar;
    }

    QWidget* client() {
        const QColor blue(124, 165, 231);
        const QColor white(255, 255, 255);
        const QColor black(0, 0, 0);
        const QColor grey(239, 239, 239);
        auto* client = new QWidget(this);
        client->setFixedSize(427, 222);
        QPalette palette = client->palette();
        palette.setColor(QPalette::Window, blue);
        palette.setColor(QPalette::WindowText, white);
        palette.setColor(QPalette::Text, white);
        palette.setColor(QPalette::Base, blue);
        palette.setColor(QPalette::Button, blue);
        palette.setColor(QPalette::ButtonText, black);
        client->setPalette(palette);
        client->setAutoFillBackground(true);
        client->setFont(designFont(QStringLiteral("Verdana"), 8.25));

        auto* sponsor = new QFrame(client);
        sponsor->setGeometry(twips(80, 0, 6255, 615));
        linkLabel(
            QStringLiteral("The Most Popular Online Zorvic Discussion Board. Best Resource For Everything "
                           "Zorvic. Visit Velmora Now"),
            sponsor, twips(60, 60, 6135, 495), designFont(QStringLiteral("Verdana"), 9, false, true));

        auto* names = new QGroupBox(QStringLiteral("Please Fill In The Below Details:"), client);
        names->setGeometry(twips(80, 720, 6255, 1605));
        names->setFont(designFont(QStringLiteral("Verdana"), 8.25, true));
        m_firstName = nameField(names, QStringLiteral("First Name"), 90, 1905);
        nameField(names, QStringLiteral("Middle Name"), 2115, 1965);
        nameField(names, QStringLiteral("Last Name"), 4200, 1935);

        auto* birthDay = new QGroupBox(QStringLiteral("Date Of Birth"), names);
        birthDay->setGeometry(twips(120, 840, 6045, 645));
        birthDay->setFont(designFont(QStringLiteral("Verdana"), 8.25, true));
        QComboBox* month = list(birthDay, 120, 1455);
        for (const char* name : {"January", "February", "March", "April", "May", "June", "July", "August",
                                 "September", "October", "November", "December"}) {
            month->addItem(QString::fromLatin1(name));
        }
        QComboBox* day = list(birthDay, 1695, 855);
        for (int d = 1; d <= 31; ++d) {
            day->addItem(QString::number(d));
        }
        QComboBox* year = list(birthDay, 2670, 975);
        for (int y = 1900; y <= 2050; ++y) {
            year->addItem(QString::number(y));
        }
        auto* next = new QPushButton(QStringLiteral("&Next"), birthDay);
        next->setGeometry(twips(3960, 210, 1965, 375));
        next->setFont(designFont(QStringLiteral("Verdana"), 8.25));

        auto* panel = new QFrame(client);
        panel->setGeometry(twips(80, 2400, 6255, 855));
        const QFont advertisement = designFont(QStringLiteral("Verdana"), 8.25, true, true);
        QLabel* coBrand = linkLabel(
            QStringLiteral(
                "Co-brand this software for your site.  Increase loyalty and traffic to your site. Put "
                "your site's name &  link here. See \"Help\" for details.    Click Here for more info "
                "on co-branding."),
            panel, twips(120, 160, 5985, 615), advertisement);
        QLabel* fullBrand = linkLabel(
            QStringLiteral(
                "Home Business Opportunity. Start your own Internet business and make money online. "
                "Get this software fully branded for your website. Click here for more details."),
            panel, twips(120, 165, 5985, 615), advertisement);
        for (QLabel* label : {coBrand, fullBrand}) {
            setColours(label, grey, QColor(0, 0, 255));
        }
        fullBrand->raise();

        auto* exit = new QPushButton(QStringLiteral("E&xit"), client);
        exit->setGeometry(twips(5040, 3600, 1215, 375));
        exit->hide();
        return client;
    }

    QLineEdit* nameField(QWidget* frame, const QString& caption, int left, int width) {
        auto* label = new QLabel(caption, frame);
        label->setGeometry(twips(left, 240, width, 195));
        label->setFont(designFont(QStringLiteral("MS Sans Serif"), 8.25));
        auto* field = new QLineEdit(frame);
        field->setGeometry(twips(left, 450, width, 315));
        field->setFont(designFont(QStringLiteral("Verdana"), 8.25));
        return field;
    }

    static QComboBox* list(QWidget* frame, int left, int width) {
        auto* box = new QComboBox(frame);
        box->setGeometry(twips(left, 240, width, 315));
        box->setFont(designFont(QStringLiteral("Verdana"), 8.25));
        QPalette palette = box->palette();
        palette.setColor(QPalette::ButtonText, QColor(255, 255, 255));
        box->setPalette(palette);
        return box;
    }

    QLineEdit* m_firstName = nullptr;
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: startup_plain <report-fd>\n");
        return 2;
    }
    QApplication application(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64}) {
        icon.addFile(QStringLiteral(":/icons/vl-subconscious-self-number-%1.png").arg(size));
    }
    QApplication::setWindowIcon(icon);
    ssn::bench::FirstPaintReport report(std::atoi(argv[1]), [](const QWidget& window) {
        return window.objectName() == QLatin1String("frmMain");
    });
    MainWindow window;
    window.setObjectName(QStringLiteral("frmMain"));
    window.setWindowIcon(icon);
    window.show();
    return QApplication::exec();
}
