#include "widgets/wrapped_caption.h"

#include <QCoreApplication>
#include <QFont>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextFrameFormat>
#include <QTextOption>
#include <algorithm>
#include <memory>
#include <vector>

namespace ssn::widgets {

namespace {

struct KeptCaption {
    QString text;
    QFont font;
    Qt::Alignment alignment;
    int width = 0;
    std::unique_ptr<QTextDocument> document;
};

// A handful of captions exist in the whole program; the oldest goes should more turn up.
constexpr std::size_t kKeptCaptions = 16;

std::vector<KeptCaption>* keptCaptions = nullptr;

std::vector<KeptCaption>& captions() {
    if (keptCaptions == nullptr) {
        keptCaptions = new std::vector<KeptCaption>;
        // The documents hold fonts, which must go while the application still exists.
        qAddPostRoutine([] {
            delete keptCaptions;
            keptCaptions = nullptr;
        });
    }
    return *keptCaptions;
}

// The steps by which a label sets up the document of a plain, word-wrapped caption. Qt keeps them
// private (in 6.4 QLabelPrivate::ensureTextControl, ensureTextPopulated and ensureTextLayouted:
// undo off, the label's font, the plain text, its alignment with word wrap, no document margin,
// the width of the contents), so these are a copy of what it does. A Qt that sets the document
// up otherwise draws plain labels otherwise, so the kept captions are held against a plain
// label's own drawing, pixel for pixel, for every kind of link caption.
std::unique_ptr<QTextDocument> layOut(const QString& text, const QFont& font, Qt::Alignment alignment,
                                      int width) {
    auto document = std::make_unique<QTextDocument>();
    document->setUndoRedoEnabled(false);
    document->setDefaultFont(font);
    document->setPlainText(text);
    QTextOption option = document->defaultTextOption();
    option.setAlignment(alignment);
    option.setWrapMode(QTextOption::WordWrap);
    document->setDefaultTextOption(option);
    QTextFrameFormat frame = document->rootFrame()->frameFormat();
    frame.setMargin(0);
    document->rootFrame()->setFrameFormat(frame);
    document->setTextWidth(width);
    // Laid out now, once, rather than at the first paint of every window.
    document->size();
    return document;
}

} // namespace

QTextDocument& KeptCaptionDocument(const QString& text, const QFont& font, Qt::Alignment alignment,
                                   int width) {
    auto& kept = captions();
    const auto found = std::find_if(kept.begin(), kept.end(), [&](const KeptCaption& caption) {
        return caption.width == width && caption.alignment == alignment && caption.text == text &&
               caption.font == font;
    });
    if (found != kept.end()) {
        return *found->document;
    }
    if (kept.size() >= kKeptCaptions) {
        kept.erase(kept.begin());
    }
    kept.push_back({text, font, alignment, width, layOut(text, font, alignment, width)});
    return *kept.back().document;
}

} // namespace ssn::widgets
