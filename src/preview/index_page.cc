#include "preview/index_page.h"

#include <algorithm>

#include "preview/markup.h"

namespace veskaro::preview {

namespace {

const char* const kStyle =
    "body{font-family:sans-serif;margin:1.5em;color:#222}"
    "table{border-collapse:collapse;margin-bottom:1.5em}"
    "td,th{border:1px solid #ccc;padding:.3em .6em;text-align:left}"
    ".faces{display:flex;flex-wrap:wrap;gap:1.5em}"
    "figure{margin:0;border:1px solid #ccc;padding:.5em;max-width:100%}"
    "figure svg{max-width:46em;width:100%;height:auto;display:block}"
    "#show-rapids:not(:checked)~.faces .rapids{display:none}"
    ".failed{color:#b00}";
// With finished parts, each face's two pictures side by side.
const char* const kPairStyle =
    "figure{max-width:none}.pair{display:flex;flex-wrap:wrap;gap:1em}"
    ".pair svg{max-width:46em;width:46em;flex:1 1 30em}";

std::string stem_of(const std::string& file_name) {
    const std::size_t dot = file_name.rfind('.');
    return dot == std::string::npos ? file_name : file_name.substr(0, dot);
}

}  // namespace

std::string index_start(const std::string& title, const std::vector<IndexEntry>& entries) {
    const std::string heading = xml_escaped(title);
    std::string page = "<!DOCTYPE html>\n<html xmlns=\"http://www.w3.org/1999/xhtml\" lang=\"en\">\n<head>\n";
    const bool finished = std::any_of(entries.begin(), entries.end(),
                                      [](const IndexEntry& entry) { return !entry.finished_picture.empty(); });
    page += "<meta charset=\"utf-8\"/>\n<title>" + heading + ": " + std::to_string(entries.size()) +
            " face programs</title>\n<style>" + kStyle + (finished ? kPairStyle : "") +
            "</style>\n</head>\n<body>\n";
    page += "<h1>" + heading + "</h1>\n<table>\n<tr><th>Face</th><th>Program</th><th>Summary</th></tr>\n";
    for (std::size_t n = 0; n < entries.size(); ++n) {
        const IndexEntry& entry = entries[n];
        const std::string face = xml_escaped(stem_of(entry.program));
        const std::string program = "<a href=\"" + link_to(entry.program) + "\">" + xml_escaped(entry.program) + "</a>";
        const char* row_class = entry.picture.empty() ? " class=\"failed\"" : "";
        page += "<tr" + std::string(row_class) + "><td><a href=\"#face-" + std::to_string(n + 1) + "\">" +
                face + "</a></td><td>" + program + "</td><td>" + xml_escaped(entry.summary) + "</td></tr>\n";
    }
    page += "</table>\n<input type=\"checkbox\" id=\"show-rapids\" checked=\"checked\"/>"
            "<label for=\"show-rapids\"> show the rapid moves (dashed)</label>\n<div class=\"faces\">\n";
    return page;
}

std::string figure_start(std::size_t number) { return "<figure id=\"face-" + std::to_string(number) + "\">\n"; }

std::string figure_end(const IndexEntry& entry) {
    const std::string face = xml_escaped(stem_of(entry.program));
    std::string text;
    if (entry.picture.empty()) text += "<p class=\"failed\">" + xml_escaped(entry.summary) + "</p>\n";
    text += "<figcaption><b>" + face + "</b>: " + xml_escaped(entry.summary);
    if (!entry.picture.empty()) {
        text += " (<a href=\"" + link_to(entry.picture) + "\">" + xml_escaped(entry.picture) + "</a>";
        if (!entry.finished_picture.empty()) {
            text += ", <a href=\"" + link_to(entry.finished_picture) + "\">" + xml_escaped(entry.finished_picture) +
                    "</a>";
        }
        text += ")";
    }
    text += "</figcaption>\n</figure>\n";
    return text;
}

std::string index_end() { return "</div>\n</body>\n</html>\n"; }

}  // namespace veskaro::preview
