// What the menu reader, loaded into the process that shows a popup menu, hands
// back to the harness through a named shared memory block.
#pragma once

#include <windows.h>

namespace e2e::menu_reader {

// Sent to the menu window; the reader's hook answers it inside that process.
constexpr wchar_t kMessageName[] = L"e2e.harness.ReadPopupMenu";
// wParam of the message: the id of the block, named kBlockPrefix + id.
constexpr wchar_t kBlockPrefix[] = L"Local\\e2e.harness.PopupMenu.";
constexpr char kHookName[] = "ReadPopupMenuHook";

constexpr int kMaxItems = 64;
constexpr int kMaxChars = 256;

struct Block {
  LONG done;   // set last, once the items are written
  LONG count;  // -1 when the window held no readable menu
  struct Item {
    LONG separator;
    LONG greyed;
    wchar_t text[kMaxChars];
  } items[kMaxItems];
};

}  // namespace e2e::menu_reader
