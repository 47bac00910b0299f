#include "widgets/design_family.h"

#include <QHash>

#ifdef SSN_HAS_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace ssn::widgets {

namespace {

#ifdef SSN_HAS_FONTCONFIG
// What fontconfig, the toolkit's font database here, matches first for a request of the family
// alone: the toolkit's own search for a missing family takes the first of the same sorted list.
// One match costs a fraction of the toolkit's search through the sorted list of every font.
QString familyFontconfigPicks(const QString& family) {
    QString picked = family;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.toUtf8().constData()));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcChar8* name = nullptr;
    if (match != nullptr && FcPatternGetString(match, FC_FAMILY, 0, &name) == FcResultMatch) {
        picked = QString::fromUtf8(reinterpret_cast<const char*>(name));
    }
    if (match != nullptr) {
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
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
