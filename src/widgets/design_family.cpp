#include "widgets/design_family.h"

#include <QHash>

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

// What fontconfig, the toolkit's font database here, matches first for a request of the family
// alone: the toolkit's own search for a missing family takes the first of the same sorted list.
// One match costs a fraction of the toolkit's search through the sorted list of every font.
QString familyFontconfigPicks(const QString& family) {
    const auto create = loaded<decltype(&FcPatternCreate)>("FcPatternCreate");
    const auto addString = loaded<decltype(&FcPatternAddString)>("FcPatternAddString");
    const auto substitute = loaded<decltype(&FcConfigSubstitute)>("FcConfigSubstitute");
    const auto defaults = loaded<decltype(&FcDefaultSubstitute)>("FcDefaultSubstitute");
    const auto match = loaded<decltype(&FcFontMatch)>("FcFontMatch");
    const auto getString = loaded<decltype(&FcPatternGetString)>("FcPatternGetString");
    const auto destroy = loaded<decltype(&FcPatternDestroy)>("FcPatternDestroy");
    if (create == nullptr || addString == nullptr || substitute == nullptr || defaults == nullptr ||
        match == nullptr || getString == nullptr || destroy == nullptr) {
        return family; // the toolkit runs on another font database: it substitutes by itself
    }
    QString picked = family;
    FcPattern* pattern = create();
    addString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.toUtf8().constData()));
    substitute(nullptr, pattern, FcMatchPattern);
    defaults(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* best = match(nullptr, pattern, &result);
    FcChar8* name = nullptr;
    if (best != nullptr && getString(best, FC_FAMILY, 0, &name) == FcResultMatch) {
        picked = QString::fromUtf8(reinterpret_cast<const char*>(name));
    }
    if (best != nullptr) {
        destroy(best);
    }
    destroy(pattern);
    return picked;
}
#endif

} // namespace

QString familyShownFor(const QString& designFamily) {
#ifdef SSN_HAS_FONTCONFIG
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
