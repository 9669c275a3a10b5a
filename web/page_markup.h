#pragma once

// The calculator's windows written out from the form's tables as the page's own markup and style
// when the page is built, so that a browser draws them as soon as it has read the page, before
// any script runs; the page's script then takes them over.

#include <string>

namespace quorel::web {

// Both windows as HTML (UTF-8): the main window drawn, the About window as a template the page
// makes into a hidden window when the form first asks for it. Each control carries its name, and
// what the script needs to take it over: the field it is (data-field), the command a click runs
// (data-command), its place in the focus order (data-tab); each menu row its access letter and
// shortcut.
std::string windowsMarkup();

// CSS: where each control stands and which font it takes, as the custom properties the page's
// style sheet places and draws controls with; the families, size and weight of each font code.
// Geometry is in CSS pixels at 96 dpi, as the desktop faces draw it.
std::string layoutStyle();

// The media query under which the page lays the windows out in one column, for a finger: a
// coarse pointer, or a viewport too narrow for the windows at their design size.
std::string touchMedia();

// Both windows' tables as the page's tests check the page against them: each window's name,
// title and size, its controls with kind, caption and place (in CSS pixels), and its focus order.
std::string tablesJson();

// The page's title: the main window's.
std::string pageTitle();

// The page's own texts (web/page_texts.h) that the page template holds, as a JSON object of HTML
// text keyed by the template's placeholders.
std::string pageTextsJson();

} // namespace quorel::web
