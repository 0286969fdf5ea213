#pragma once

namespace tallyfin {

// Qt names a combo box on Linux by its current entry, and a screen reader
// finds what the box is for only through its label's "labelled by"
// relation. Once this has run, a combo box given an accessible name (the
// text of its label, translated with the form) is named by it, and its
// entry is its value, as a text field's text is. Runs once, whatever the
// number of calls.
void nameComboBoxesByTheirLabels();

} // namespace tallyfin
