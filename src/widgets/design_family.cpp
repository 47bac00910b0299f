#include "widgets/design_family.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QHash>
#include <QStringList>

#ifdef SSN_HAS_FONTCONFIG
#include <dlfcn.h>
#include <fontconfig/fontconfig.h>
#endif

namespace ssn::widgets {

namespace {

#ifdef SSN_HAS_FONTCONFIG
// fontconfig's functions, from the copy the toolkit loaded with itself, rather than linked: a
// library the program links comes before the toolkit's own in the dynamic loader's search order,
// and each of the tens of thousands of symbols the toolkit binds at start-up would be looked for
// in it first.
template <typename Function> Function loaded(const char* name) {
    return reinterpret_cast<Function>(::dlsym(RTLD_DEFAULT, name));
}

// Whether fontconfig has a font of the family itself. The toolkit's list of families also holds
// its own names for the generic families ("Sans Serif", "Serif", "Monospace"), which no font
// carries: the toolkit searches its fallbacks for them like for a missing family.
bool hasFontsOfItsOwn(const QByteArray& family) {
    const auto create = loaded<decltype(&FcPatternCreate)>("FcPatternCreate");
    const auto addString = loaded<decltype(&FcPatternAddString)>("FcPatternAddString");
    const auto destroy = loaded<decltype(&FcPatternDestroy)>("FcPatternDestroy");
    const auto createSet = loaded<decltype(&FcObjectSetCreate)>("FcObjectSetCreate");
    const auto addObject = loaded<decltype(&FcObjectSetAdd)>("FcObjectSetAdd");
    const auto destroySet = loaded<decltype(&FcObjectSetDestroy)>("FcObjectSetDestroy");
    const auto list = loaded<decltype(&FcFontList)>("FcFontList");
    const auto destroyFonts = loaded<decltype(&FcFontSetDestroy)>("FcFontSetDestroy");
    if (create == nullptr || addString == nullptr || destroy == nullptr || createSet == nullptr ||
        addObject == nullptr || destroySet == nullptr || list == nullptr || destroyFonts == nullptr) {
        return true;
    }
    FcPattern* pattern = create();
    addString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.constData()));
    FcObjectSet* objects = createSet();
    addObject(objects, FC_FAMILY);
    FcFontSet* fonts = list(nullptr, pattern, objects);
    const bool found = fonts != nullptr && fonts->nfont > 0;
    if (fonts != nullptr) {
        destroyFonts(fonts);
    }
    destroySet(objects);
    destroy(pattern);
    return found;
}

// The first installed family of fontconfig's list for a request of the family alone: the family
// asked for, then the families fontconfig's configuration puts in its place (for both design
// families and the toolkit's "Sans Serif" those of its sans-serif faces). Fontconfig's own match,
// and the toolkit's search for a missing family, rank every installed font and come out at the
// same family wherever the first installed family of the list supports the request's language;
// walking the list costs a fraction of ranking all fonts. DesignFontTest compares the answer with
// the toolkit's own.
QString familyFontconfigPicks(const QString& family) {
    const auto create = loaded<decltype(&FcPatternCreate)>("FcPatternCreate");
    const auto addString = loaded<decltype(&FcPatternAddString)>("FcPatternAddString");
    const auto substitute = loaded<decltype(&FcConfigSubstitute)>("FcConfigSubstitute");
    const auto getString = loaded<decltype(&FcPatternGetString)>("FcPatternGetString");
    const auto destroy = loaded<decltype(&FcPatternDestroy)>("FcPatternDestroy");
    if (create == nullptr || addString == nullptr || substitute == nullptr || getString == nullptr ||
        destroy == nullptr) {
        return family; // the toolkit runs on another font database: it substitutes by itself
    }
    const QStringList installed = QFontDatabase::families();
    const QByteArray name = family.toUtf8();
    if (installed.contains(family, Qt::CaseInsensitive) && hasFontsOfItsOwn(name)) {
        return family;
    }
    QString picked = family;
    FcPattern* pattern = create();
    addString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(name.constData()));
    substitute(nullptr, pattern, FcMatchPattern);
    FcChar8* candidateName = nullptr;
    for (int i = 0; getString(pattern, FC_FAMILY, i, &candidateName) == FcResultMatch; ++i) {
        const QString candidate = QString::fromUtf8(reinterpret_cast<const char*>(candidateName));
        if (installed.contains(candidate, Qt::CaseInsensitive)) {
            picked = candidate;
            break;
        }
    }
    destroy(pattern);
    return picked;
}
#endif

} // namespace

QString familyShownFor(const QString& designFamily) {
#ifdef SSN_HAS_FONTCONFIG
    // The toolkit's font database exists with the application object only; a font made before it
    // (a test table's) keeps the design's name and is substituted by the toolkit when used.
    if (QCoreApplication::instance() == nullptr) {
        return designFamily;
    }
    // Two design families, asked for from the user-interface thread only.
    static QHash<QString, QString> picked;
    auto found = picked.constFind(designFamily);
    if (found == picked.cend()) {
        found = picked.insert(designFamily, familyFontconfigPicks(designFamily));
    }
    return *found;
#else
    // Elsewhere the toolkit's own substitution table covers the missing families.
    return designFamily;
#endif
}

} // namespace ssn::widgets
