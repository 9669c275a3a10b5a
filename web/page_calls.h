#pragma once

// What the program asks of the page: functions the module imports from the page's script
// (page/module_imports.js), each handed to the page object the script gave the module. Texts go
// as UTF-16 code units in the module's memory, with their length, so that every text crosses
// exactly, embedded NULs and all.

extern "C" {
void quorel_page_show_message(int owner, const char16_t *text, int textLength,
                              const char16_t *title, int titleLength);
void quorel_page_create_window(int window);
void quorel_page_show_window(int window);
void quorel_page_hide_window(int window);
void quorel_page_end_program();
void quorel_page_set_text(int field, const char16_t *text, int length);
// A field's text is read in two steps: its length, then its code units copied to `to`, which
// has room for them.
int quorel_page_text_length(int field);
void quorel_page_copy_text(char16_t *to);
}
