#pragma once

namespace ventaro {

// Loads ventaro's words in the user's language when there is a catalogue
// for it, and then Qt's own (the standard dialogs' buttons) in the same
// language; an application object must exist. English needs none.
void installTranslations();

} // namespace ventaro
