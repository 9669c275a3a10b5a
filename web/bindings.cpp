#include "web/table_export.h"
#include "web/web_face.h"

#include <emscripten/bind.h>

EMSCRIPTEN_BINDINGS(quorel) {
    using namespace emscripten;
    using quorel::web::WebFace;
    function("windowTable", &quorel::web::windowTable);
    function("menuTable", &quorel::web::menuTable);
    function("fontTable", &quorel::web::fontTable);
    function("shortcutCommand", &quorel::web::shortcutCommand);
    class_<WebFace>("WebFace")
        .constructor<val>()
        .function("start", &WebFace::start)
        .function("run", &WebFace::run)
        .function("closeRequested", &WebFace::closeRequested)
        .function("messageDismissed", &WebFace::messageDismissed);
}
