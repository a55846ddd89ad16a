#include "check/findings.h"

#include "base/decimal_text.h"
#include "base/run_error.h"

namespace veskaro::check {

namespace {

std::string counted(long count, const char* singular) {
    return std::to_string(count) + " " + singular + (count == 1 ? "" : "s");
}

}  // namespace

long count_of(const std::vector<Finding>& findings, Severity severity) {
    long count = 0;
    for (const Finding& finding : findings) count += finding.severity == severity ? 1 : 0;
    return count;
}

void print_findings(std::ostream& out, const std::vector<Finding>& findings) {
    for (const Finding& finding : findings) {
        out << (finding.severity == Severity::warning ? "warning: " : "note: ") << finding.where << ": " << finding.text
            << '\n';
    }
    out << counted(count_of(findings, Severity::warning), "warning") << ", "
        << counted(count_of(findings, Severity::note), "note") << '\n';
}

std::string face_where(std::string_view face) { return escape_name(face); }

std::string component_where(std::string_view face, std::string_view component) {
    return escape_name(face) + " / " + escape_name(component);
}

std::string in_quotes(std::string_view name) {
    std::string text(1, '"');
    text += escape_name(name);
    text += '"';
    return text;
}

bool shows_as_zero(double value) {
    const std::string text = fixed_decimals(value, 2);
    return text == "0.00" || text == "-0.00";
}

bool noticeable(double value) { return value > 0 && !shows_as_zero(value); }

}  // namespace veskaro::check
