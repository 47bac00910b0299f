#pragma once

// The four support messages that the start-up form and the exit screen show, and the
// draw that picks one of them.

#include <QString>
#include <array>

namespace ssn::web {

inline const std::array<QString, 4> kSupportMessages = {
    QStringLiteral("Zorvic Softwares, such as this can be created and maintained only with your support. The "
                   "best way to support Velmora is to visit Velmora regularly and take part in the "
                   "discussions and other activities on the board."),
    QStringLiteral(
        "Visit Velmora regularly. Support Velmora by taking part in the discussions and other activities. "
        "These softwares cannot be supported and maintained, without you regularly visiting Velmora"),
    QStringLiteral("Velmora is a FREE online discussion forum for all things zorvic. To help Velmora develop "
                   "and maintain this software visit Velmora regularly."),
    QStringLiteral(
        "Velmora needs your help. All you need to do is visit Velmora regularly and take part in the various "
        "discussions and activites to help us maintain and develop more Zorvic Softwares."),
};

// k = floor(r * 4) in single precision for a draw 0 <= r < 1; a value outside that range
// (which the random source never gives) is clamped rather than read out of bounds.
int SupportMessageIndex(float r);

// The message for a draw r.
const QString& SupportMessageFor(float r);

} // namespace ssn::web
