#include "qt/freed_memory.h"

#include <QLineEdit>
#include <QTimer>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace quorel::qt {

void returnMemoryWhenShortened([[maybe_unused]] QLineEdit *field) {
#if defined(__GLIBC__)
    // A field that drops this many characters frees tens of megabytes: the text, its layout and
    // its glyphs.
    constexpr qsizetype worthReturning = qsizetype(1) << 20;
    QObject::connect(field, &QLineEdit::textChanged, field,
                     [field, length = field->text().size()](const QString &text) mutable {
                         const bool shortened = length - text.size() >= worthReturning;
                         length = text.size();
                         // Later, once Qt has dropped the old layout too.
                         if (shortened)
                             QTimer::singleShot(0, field, [] { malloc_trim(0); });
                     });
#endif
}

} // namespace quorel::qt
