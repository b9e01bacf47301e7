// The labels of the device information field.
#include "app/identification_text.h"

namespace
{
constexpr char16_t kSoftwareLabel[] = u"Software: ";
constexpr char16_t kVersionLabel[] = u"Version:\t    ";
constexpr char16_t kOptionLabel[] = u"Option:\t    ";
} // namespace

std::u16string IdentificationDisplayText(const Identification& ident)
{
    if (ident.outcome == IdentOutcome::NoDevice)
        return kNoDeviceText;
    std::u16string text = kSoftwareLabel + ident.pieces[0];
    if (ident.pieces.size() > 1)
        text += u'\r' + (kVersionLabel + ident.pieces[1]);
    // A one-character option line gets no label; the text is still shown.
    if (ident.pieces.size() > 2)
        text += u'\r' + ((ident.pieces[2].size() >= 2 ? kOptionLabel : u"") + ident.pieces[2]);
    return text;
}
