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
// A field's text: copied to `to` where it fits in `capacity` code units; its length either way.
// A longer text is then copied by quorel_page_copy_text to room made for it.
int quorel_page_read_text(int field, char16_t *to, int capacity);
void quorel_page_copy_text(char16_t *to);
}
