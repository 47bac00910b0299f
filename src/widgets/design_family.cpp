#include "widgets/design_family.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QHash>
#include <QStringList>
#include <optional>

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
// in it first. Looked up once; none when the toolkit runs on another font database.
struct Fontconfig {
    decltype(&FcPatternCreate) createPattern;
    decltype(&FcPatternAddString) addString;
    decltype(&FcPatternGetString) getString;
    decltype(&FcPatternDestroy) destroyPattern;
    decltype(&FcObjectSetBuild) buildObjects;
    decltype(&FcObjectSetDestroy) destroyObjects;
    decltype(&FcFontList) listFonts;
    decltype(&FcFontSetDestroy) destroyFonts;
    decltype(&FcConfigSubstitute) substitute;
};

template <typename Function> Function loaded(const char* name, bool& all) {
    const auto function = reinterpret_cast<Function>(::dlsym(RTLD_DEFAULT, name));
    all = all && function != nullptr;
    return function;
}

const Fontconfig* fontconfig() {
    static const std::optional<Fontconfig> calls = []() -> std::optional<Fontconfig> {
        bool all = true;
        const Fontconfig found{loaded<decltype(&FcPatternCreate)>("FcPatternCreate", all),
                               loaded<decltype(&FcPatternAddString)>("FcPatternAddString", all),
                               loaded<decltype(&FcPatternGetString)>("FcPatternGetString", all),
                               loaded<decltype(&FcPatternDestroy)>("FcPatternDestroy", all),
                               loaded<decltype(&FcObjectSetBuild)>("FcObjectSetBuild", all),
                               loaded<decltype(&FcObjectSetDestroy)>("FcObjectSetDestroy", all),
                               loaded<decltype(&FcFontList)>("FcFontList", all),
                               loaded<decltype(&FcFontSetDestroy)>("FcFontSetDestroy", all),
                               loaded<decltype(&FcConfigSubstitute)>("FcConfigSubstitute", all)};
        return all ? std::optional(found) : std::nullopt;
    }();
    return calls ? &*calls : nullptr;
}

// A pattern that asks for the family alone.
FcPattern* familyPattern(const Fontconfig& fc, const QByteArray& family) {
    FcPattern* pattern = fc.createPattern();
    fc.addString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.constData()));
    return pattern;
}

// Whether fontconfig has a font of the family itself. The toolkit's list of families also holds
// its own names for the generic families ("Sans Serif", "Serif", "Monospace"), which no font
// carries: the toolkit searches its fallbacks for them like for a missing family.
bool hasFontsOfItsOwn(const Fontconfig& fc, const QByteArray& family) {
    FcPattern* pattern = familyPattern(fc, family);
    FcObjectSet* objects = fc.buildObjects(FC_FAMILY, nullptr);
    FcFontSet* fonts = fc.listFonts(nullptr, pattern, objects);
    const bool found = fonts != nullptr && fonts->nfont > 0;
    if (fonts != nullptr) {
        fc.destroyFonts(fonts);
    }
    fc.destroyObjects(objects);
    fc.destroyPattern(pattern);
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
    const Fontconfig* fc = fontconfig();
    if (fc == nullptr) {
        return family; // the toolkit runs on another font database: it substitutes by itself
    }
    const QStringList installed = QFontDatabase::families();
    const QByteArray name = family.toUtf8();
    if (installed.contains(family, Qt::CaseInsensitive) && hasFontsOfItsOwn(*fc, name)) {
        return family;
    }
    QString picked = family;
    FcPattern* pattern = familyPattern(*fc, name);
    fc->substitute(nullptr, pattern, FcMatchPattern);
    FcChar8* candidateName = nullptr;
    for (int i = 0; fc->getString(pattern, FC_FAMILY, i, &candidateName) == FcResultMatch; ++i) {
        const QString candidate = QString::fromUtf8(reinterpret_cast<const char*>(candidateName));
        if (installed.contains(candidate, Qt::CaseInsensitive)) {
            picked = candidate;
            break;
        }
    }
    fc->destroyPattern(pattern);
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
