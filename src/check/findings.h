// What a check found, one line each: "warning: <where>: <text>" when the
// part will probably come out wrong, "note: <where>: <text>" for a true
// effect worth knowing; then the count of each.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace veskaro::check {

enum class Severity { warning, note };

struct Finding {
    Severity severity;
    std::string where;  // a face, "face / component", an option name or "project"
    std::string text;
};

struct Findings {
    std::vector<Finding> list;

    void warn(std::string where, std::string text) {
        list.push_back({Severity::warning, std::move(where), std::move(text)});
    }
    void note(std::string where, std::string text) {
        list.push_back({Severity::note, std::move(where), std::move(text)});
    }
};

long count_of(const std::vector<Finding>& findings, Severity severity);

// Every finding, then "<n> warnings, <m> notes" ("1 warning", "1 note").
void print_findings(std::ostream& out, const std::vector<Finding>& findings);

// Where a finding is: the face name, or the face and the component joined
// by " / ", each escaped as the generator's errors escape names.
std::string face_where(std::string_view face);
std::string component_where(std::string_view face, std::string_view component);

// A project member or key in double quotes, escaped.
std::string in_quotes(std::string_view name);

// Sizes in findings are millimetres with two decimals, as the programs
// write them (fixed_decimals(value, 2)).  Measurements that combine the
// generator's single-precision values (a face less the bit, a path's width
// plus the bit) are taken in double precision, so that they print what the
// single-precision values add up to.
//
// True when a length above 0 still shows at two decimals: differences that
// print as 0.00 are rounding, not findings.
bool noticeable(double value);

// True when the value prints as 0.00 or -0.00.
bool shows_as_zero(double value);

}  // namespace veskaro::check
