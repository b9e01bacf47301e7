// The device information field's text: the identification's pieces behind the window's labels.
#pragma once

#include <string>

#include "link/identification.h"

// "Software: " before the first piece, "Version:\t    " before the second, "Option:\t    "
// before a third of two characters or more, the CRs between them; without the name, the
// no-device text.
std::u16string IdentificationDisplayText(const Identification& ident);
