#pragma once

namespace ventaro {

// Loads ventaro's words and Qt's own (the standard dialogs' buttons) in the
// user's language, when there are translations for it; an application
// object must exist. English needs none.
void installTranslations();

} // namespace ventaro
