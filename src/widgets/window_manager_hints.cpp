#include "widgets/window_manager_hints.h"

#include <QEvent>
#include <QGuiApplication>
#include <QWindow>

#if QT_CONFIG(xcb)
#include <array>
#include <cstdint>
#include <cstring>
#include <dlfcn.h>
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

// The X library's functions, taken from the copy that the toolkit's X11 platform loaded (these
// hints are only written when it runs) rather than linked: a library the program links comes
// before the toolkit's own in the dynamic loader's search order, and each of the tens of
// thousands of symbols the toolkit's libraries bind at start-up would be looked for in it first.
struct Xcb {
    decltype(&xcb_intern_atom) internAtom = nullptr;
    decltype(&xcb_intern_atom_reply) internAtomReply = nullptr;
    decltype(&xcb_get_property) getProperty = nullptr;
    decltype(&xcb_get_property_reply) getPropertyReply = nullptr;
    decltype(&xcb_get_property_value_length) getPropertyValueLength = nullptr;
    decltype(&xcb_get_property_value) getPropertyValue = nullptr;
    decltype(&xcb_change_property) changeProperty = nullptr;
    decltype(&xcb_flush) flush = nullptr;
};

template <typename Function> bool take(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(::dlsym(library, name));
    return function != nullptr;
}

// The functions, or none when the library is not loaded.
const Xcb* loadedXcb() {
    static const std::unique_ptr<const Xcb> calls = []() -> std::unique_ptr<const Xcb> {
        void* library = ::dlopen("libxcb.so.1", RTLD_LAZY | RTLD_NOLOAD);
        if (library == nullptr) {
            return nullptr;
        }
        auto found = std::make_unique<Xcb>();
        const bool all = take(library, "xcb_intern_atom", found->internAtom) &&
                         take(library, "xcb_intern_atom_reply", found->internAtomReply) &&
                         take(library, "xcb_get_property", found->getProperty) &&
                         take(library, "xcb_get_property_reply", found->getPropertyReply) &&
                         take(library, "xcb_get_property_value_length", found->getPropertyValueLength) &&
                         take(library, "xcb_get_property_value", found->getPropertyValue) &&
                         take(library, "xcb_change_property", found->changeProperty) &&
                         take(library, "xcb_flush", found->flush);
        // The handle stays open: the toolkit holds the library for the whole run anyway.
        return all ? std::move(found) : nullptr;
    }();
    return calls.get();
}

xcb_atom_t motifHintsAtom(const Xcb& xcb, xcb_connection_t* connection) {
    constexpr char kName[] = "_MOTIF_WM_HINTS";
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb.internAtomReply(connection, xcb.internAtom(connection, 0, sizeof kName - 1, kName), nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// The hints Qt has set on the window, or none.
MotifHints readHints(const Xcb& xcb, xcb_connection_t* connection, xcb_window_t window, xcb_atom_t atom) {
    MotifHints hints{};
    const std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
        xcb.getPropertyReply(connection, xcb.getProperty(connection, 0, window, atom, atom, 0, hints.size()),
                             nullptr),
        &std::free);
    if (reply && reply->format == 32 && xcb.getPropertyValueLength(reply.get()) == sizeof hints) {
        std::memcpy(hints.data(), xcb.getPropertyValue(reply.get()), sizeof hints);
    }
    return hints;
}

void offerOnlyWhatFits(const QWindow& window) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    const Xcb* xcb = loadedXcb();
    if (x11 == nullptr || xcb == nullptr) {
        return;
    }
    xcb_connection_t* connection = x11->connection();
    const xcb_atom_t atom = motifHintsAtom(*xcb, connection);
    if (atom == XCB_ATOM_NONE) {
        return;
    }
    const auto id = static_cast<xcb_window_t>(window.winId());
    MotifHints hints = readHints(*xcb, connection, id, atom);
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
    xcb->changeProperty(connection, XCB_PROP_MODE_REPLACE, id, atom, atom, 32, hints.size(), hints.data());
    xcb->flush(connection);
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
