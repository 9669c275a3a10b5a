#pragma once

class QLineEdit;

namespace quorel::qt {

// When `field` loses a long stretch of its text (emptied, cut, typed over, or cleared by 新建),
// the memory its text and layout took is handed back to the system, where the C library would
// otherwise keep it for reuse.
void returnMemoryWhenShortened(QLineEdit *field);

} // namespace quorel::qt
