#pragma once
// Answers the shell's folder dialog (SHBrowseForFolderW) as a person would:
// selects a folder in its tree, waits until the tree shows it selected (the
// shell fills the tree while the dialog opens), then presses OK.

#include <string>

#include "tests/support/message_box_answerer.h"

namespace varnholt::test {

// An answer for MessageBoxAnswerer::Do.
MessageBoxAnswerer::Action ChooseFolder(std::wstring path);

} // namespace varnholt::test
