#include "widgets/window_manager_hints.h"

#include <QEvent>
#include <QGuiApplication>
#include <QWindow>

#if QT_CONFIG(xcb)
#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <xcb/xcb.h>
#endif

namespace ssn::widgets {

namespace {

#if QT_CONFIG(xcb)

// The Motif window manager hints: five 32-bit fields, of which the first says which of the next
// two (the functions offered, the decorations drawn) are given.
constexpr std::uint32_t kHasFunctions = 0x1;
constexpr std::uint32_t kFunctionAll = 0x1; // all functions except those listed
constexpr std::uint32_t kFunctionResize = 0x2;
constexpr std::uint32_t kFunctionMove = 0x4;
constexpr std::uint32_t kFunctionMinimise = 0x8;
constexpr std::uint32_t kFunctionMaximise = 0x10;
constexpr std::uint32_t kFunctionClose = 0x20;
constexpr std::uint32_t kDecorationResizeHandles = 0x4;
constexpr std::uint32_t kDecorationMinimise = 0x20;
constexpr std::uint32_t kDecorationMaximise = 0x40;
using MotifHints = std::array<std::uint32_t, 5>;

xcb_atom_t motifHintsAtom(xcb_connection_t* connection) {
    constexpr char kName[] = "_MOTIF_WM_HINTS";
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, sizeof kName - 1, kName), nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// The hints Qt has set on the window, or none.
MotifHints readHints(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t atom) {
    MotifHints hints{};
    const std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
        xcb_get_property_reply(connection,
                               xcb_get_property(connection, 0, window, atom, atom, 0, hints.size()), nullptr),
        &std::free);
    if (reply && reply->format == 32 && xcb_get_property_value_length(reply.get()) == sizeof hints) {
        std::memcpy(hints.data(), xcb_get_property_value(reply.get()), sizeof hints);
    }
    return hints;
}

void offerOnlyWhatFits(const QWindow& window) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr) {
        return;
    }
    xcb_connection_t* connection = x11->connection();
    const xcb_atom_t atom = motifHintsAtom(connection);
    if (atom == XCB_ATOM_NONE) {
        return;
    }
    const auto id = static_cast<xcb_window_t>(window.winId());
    MotifHints hints = readHints(connection, id, atom);
    auto& [fields, functions, decorations, inputMode, status] = hints;
    if ((fields & kHasFunctions) == 0 || (functions & kFunctionAll) != 0) {
        // Everything was offered: spell out what stays.
        fields |= kHasFunctions;
        functions = kFunctionMove | kFunctionMinimise | kFunctionClose;
    }
    functions &= ~(kFunctionResize | kFunctionMaximise);
    decorations &= ~(kDecorationResizeHandles | kDecorationMaximise);
    if (!window.flags().testFlag(Qt::WindowMinimizeButtonHint)) {
        functions &= ~kFunctionMinimise;
        decorations &= ~kDecorationMinimise;
    }
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, atom, atom, 32, hints.size(), hints.data());
    xcb_flush(connection);
}

#endif

} // namespace

bool FixedSizeWindowHints::eventFilter(QObject* watched, QEvent* event) {
    // Every event of the application passes here: the two kinds that matter are picked out first.
    if (event->type() != QEvent::Show && event->type() != QEvent::WindowStateChange) {
        return false;
    }
    auto* window = qobject_cast<QWindow*>(watched);
    if (window == nullptr || !window->isTopLevel() || window->minimumSize() != window->maximumSize()) {
        return false;
    }
#if QT_CONFIG(xcb)
    // A window's own Show event comes after its widget's (where a message box fixes its size) and
    // before the window is handed to the window manager.
    if (event->type() == QEvent::Show && QGuiApplication::platformName() == QLatin1String("xcb")) {
        offerOnlyWhatFits(*window);
    }
#endif
    // On Wayland the title bar is Qt's own, and Qt 6.4 draws minimise, maximise and close on
    // every window whatever its flags and size. A window of fixed size turns the maximised state
    // down at once, so that maximise leaves it as it is.
    if (event->type() == QEvent::WindowStateChange && window->windowStates().testFlag(Qt::WindowMaximized) &&
        QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        QMetaObject::invokeMethod(
            window, [window] { window->setWindowStates(window->windowStates() & ~Qt::WindowMaximized); },
            Qt::QueuedConnection);
    }
    return false;
}

} // namespace ssn::widgets
