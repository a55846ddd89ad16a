#!/usr/bin/env bash
# Runs the benchmark and prints its table.
#
#   bench/run_bench.sh BUILD_FOLDER [EXAMPLE RUN OPTIONS...]
#
# 1. The kernels: the line builder against one string stream per number.
# 2. The stress project through build/veskaro-gcode, writing files and in
#    simulate mode, and through the straightforward reference build writing
#    files, each under /usr/bin/time -v for peak resident memory; the
#    reference's files and console output must equal the generator's byte
#    for byte, or the run fails.
# 3. The same project with a ten times longer program (a tenth of the depth
#    per pass), for the memory bound.
# 4. The example project end to end, many times, for its wall time: writing,
#    simulating, and linked dynamically, beside /bin/true for the cost of
#    starting any program; each started with posix_spawn (spawn_timer), as
#    a shell's fork would add a few milliseconds of its own on this machine.
#
# BENCH_RUNS (3) sets the runs per stress measurement (the median counts),
# BENCH_EXAMPLE_RUNS (50) those of the example.  Stress wall times are taken
# by the shell around each run; MB are 10^6 bytes.
set -euo pipefail
export LC_ALL=C

build=$(cd "${1:?usage: run_bench.sh BUILD_FOLDER [EXAMPLE OPTIONS...]}" && pwd)
shift
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${BENCH_RUNS:-3}
example_runs=${BENCH_EXAMPLE_RUNS:-50}

generator="$build/veskaro-gcode"
preview="$build/veskaro-preview"
reference="$build/bench/veskaro-gcode-reference"
kernels="$build/bench/bench_kernels"
stress_project="$build/bench/stress_project"
spawn_timer="$build/bench/spawn_timer"
dynamic_generator="$build/shared/veskaro-gcode"
empty_program="$build/bench/empty_program"
for program in "$generator" "$preview" "$reference" "$kernels" "$stress_project" "$spawn_timer" "$dynamic_generator" \
    "$empty_program" /usr/bin/time; do
    [ -x "$program" ] || { echo "run_bench.sh: $program is missing (run make bench)" >&2; exit 1; }
done

# Six faces of 80 components, a 0.3 mm bit and 0.05 mm passes through 3 mm
# of material, 2 mm recesses and screws on top and bottom.
stress_settings=(-t 3 -b 250 -d 0.05 -m 0.3 -r 2 -f 1200 -e 3 -w 3 -i 6 -a 2 -n 1)
long_settings=(-t 3 -b 250 -d 0.005 -m 0.3 -r 2 -f 1200 -e 3 -w 3 -i 6 -a 2 -n 1)

work="$build/bench-run"
rm -rf "$work"
mkdir -p "$work"
cd "$work"
"$stress_project" stress.json 7 80

micros() { local t=${1/./}; echo $((10#$t)); }

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : int((v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }
# The median wall and CPU time and the peak memory of each named run's
# rounds (<name>.rounds, as spawn_timer prints them) into <name>.wall,
# <name>.cpu and <name>.rss.
summarise_rounds() {
    local name key
    for name in "$@"; do
        for key in median_us cpu_us rss_kib; do
            tr ' ' '\n' <"$name.rounds" | awk -F= -v k="$key" '$1 == k { print $2 }' >"$name.$key"
        done
        median <"$name.median_us" >"$name.wall"
        median <"$name.cpu_us" >"$name.cpu"
        sort -n "$name.rss_kib" | tail -1 >"$name.rss"
    done
}

# run_once NAME PROGRAM ARGS...: one run in $work under /usr/bin/time -v,
# with the output folder "out" removed first.  Appends the wall time (us)
# to NAME.wall, the user and system time (us) to NAME.cpu and the peak
# resident memory (KiB) to NAME.rss.
run_once() {
    local name=$1 start stop
    shift
    rm -rf out
    start=$EPOCHREALTIME
    if ! /usr/bin/time -v -o "$name.time" "$@" >"$name.stdout" 2>"$name.stderr"; then
        echo "run_bench.sh: $name failed:" >&2
        cat "$name.stderr" >&2
        exit 1
    fi
    stop=$EPOCHREALTIME
    echo $(($(micros "$stop") - $(micros "$start"))) >>"$name.wall"
    awk -F': ' '/User time|System time/ { cpu += $2 } END { printf "%d\n", cpu * 1e6 }' "$name.time" >>"$name.cpu"
    awk -F': ' '/Maximum resident set size/ { print $2 }' "$name.time" >>"$name.rss"
}

# figure NAME wall|cpu|rss: the median wall or CPU time, the largest memory.
figure() {
    case $2 in
        rss) sort -n "$1.rss" | tail -1 ;;
        *) median <"$1.$2" ;;
    esac
}

count_output() { cat out/stress/*.nc | wc -l; }
bytes_output() { cat out/stress/*.nc | wc -c; }

load_before=$(cut -d' ' -f1-3 /proc/loadavg)

echo "== kernels"
"$kernels" --benchmark_repetitions=3 --benchmark_report_aggregates_only=true \
    --benchmark_out=kernels.csv --benchmark_out_format=csv | tee kernels.txt
kernel_rate() { awk -F, -v n="\"$1_median\"" '$1 == n { print $6 }' kernels.csv; }
k_builder=$(kernel_rate BM_Lines_Builder)
k_stream=$(kernel_rate BM_Lines_StreamPerNumber)
k_fixed=$(kernel_rate BM_Fixed_Builder)
k_fixed_stream=$(kernel_rate BM_Fixed_Stream)
k_general=$(kernel_rate BM_General_Builder)
k_general_stream=$(kernel_rate BM_General_Stream)

# The three runs of the stress project take turns, so that a change of load
# on the machine falls on all of them alike.
echo "== stress project: veskaro-gcode writing and simulating, reference writing; $runs runs each"
for ((i = 0; i < runs; i++)); do
    run_once gen_write "$generator" -j stress.json -o out "${stress_settings[@]}"
    if ((i == 0)); then
        lines=$(count_output)
        bytes=$(bytes_output)
        mv out out.generator
    fi
    run_once ref_write "$reference" -j stress.json -o out "${stress_settings[@]}"
    if ((i == 0)); then
        if ! diff -r -q out.generator out >diff.txt || ! cmp -s gen_write.stdout ref_write.stdout; then
            echo "run_bench.sh: the reference build does not write the same bytes as the generator:" >&2
            cat diff.txt >&2
            cmp gen_write.stdout ref_write.stdout >&2 || true
            exit 1
        fi
        echo "   the reference wrote the same $lines lines, $bytes bytes, and the same console output"
        rm -rf out.generator
    fi
    run_once gen_simulate "$generator" -j stress.json -o out "${stress_settings[@]}" -s
done
rm -rf out

echo "== stress project with a ten times longer program, writing: veskaro-gcode"
run_once gen_long "$generator" -j stress.json -o out "${long_settings[@]}"
long_lines=$(count_output)
long_bytes=$(bytes_output)
rm -rf out

# The example project, with the options given, in its own folder.
example="$root/examples/enclosure.json"
example_args=()
while (($# > 0)); do
    case $1 in
        -j | --json-file) example_args+=(-j "$example"); shift ;;
        -o | --output-directory) example_args+=(-o example-out); shift ;;
        *) example_args+=("$1") ;;
    esac
    shift || true
done
((${#example_args[@]} > 0)) || example_args=(-j "$example" -o example-out -t 3 -b 60 -d 1)
echo "== example end to end: ${example#"$root"/}; $example_runs runs of each program, in turns of 10"
"$generator" "${example_args[@]}" >example.stdout
example_lines=$(cat example-out/*/*.nc | wc -l)
example_bytes=$(cat example-out/*/*.nc | wc -c)
mv example-out example-out.static
"$dynamic_generator" "${example_args[@]}" >example-dynamic.stdout
if ! diff -r -q example-out.static example-out >/dev/null || ! cmp -s example.stdout example-dynamic.stdout; then
    echo "run_bench.sh: the dynamically linked generator writes other bytes" >&2
    exit 1
fi
rm -rf example-out.static
# Each program is started with posix_spawn; /bin/true is the cost of
# starting any program at all on this machine at this moment, the empty
# program that of any program on the C++ runtime's shared libraries.
for ((i = 0; i < example_runs; i += 10)); do
    "$spawn_timer" 10 /bin/true >>true.rounds
    "$spawn_timer" 10 "$empty_program" >>empty.rounds
    "$spawn_timer" 10 "$generator" "${example_args[@]}" >>example.rounds
    "$spawn_timer" 10 "$generator" "${example_args[@]}" -s >>example-simulate.rounds
    "$spawn_timer" 10 "$dynamic_generator" "${example_args[@]}" >>example-dynamic.rounds
done
summarise_rounds true empty example example-simulate example-dynamic
for name in true empty example example-simulate example-dynamic; do
    tr ' ' '\n' <"$name.rounds" | awk -F= '$1 == "best_us" { print $2 }' | sort -n | head -1 >"$name.best"
done

# The finished parts: the example's five faces simulated and measured by
# veskaro-preview (--finished --measure, writing its pictures too), in turns
# with the generator's run on the same project; one 160 x 100 mm face alone
# for its memory; and a 600 x 400 mm sheet of fifteen of the example's
# panels, each face program shifted to its place.
option_of() {
    local words=("${example_args[@]}") n
    for ((n = 0; n + 1 < ${#words[@]}; ++n)); do
        [ "${words[n]}" = "$1" ] && { echo "${words[n + 1]}"; return; }
    done
    echo "$2"
}
finished=(--finished --measure -m "$(option_of -m 2)" --material-thickness "$(option_of -t 3)")
faces=(example-out/*/*.nc)
main_face=$(ls example-out/*/*_Main.nc | head -1)
echo "== finished parts: the example's ${#faces[@]} faces, $example_runs runs in turns with the generator"
for ((i = 0; i < example_runs; i += 10)); do
    "$spawn_timer" 10 "$generator" "${example_args[@]}" >>example-again.rounds
    "$spawn_timer" 10 "$preview" "${finished[@]}" "${faces[@]}" >>finished.rounds
done
summarise_rounds example-again finished
"$preview" "${finished[@]}" "${faces[@]}" >finished.measures
finished_lines=$(wc -l <finished.measures)

# sheet.nc: each face program's moves shifted by its place on the sheet
# (X and Y; the arcs' I and J are relative and stay), one header, one end.
place_face() {
    awk -v dx="$2" -v dy="$3" '
        NR == 1 && /^[#;]/ { next }
        /^(G21|G90|M30)/ { next }
        {
            at = index($0, " ; ")
            code = at ? substr($0, 1, at - 1) : $0
            rest = at ? substr($0, at) : ""
            n = split(code, word, " ")
            line = ""
            for (i = 1; i <= n; ++i) {
                w = word[i]
                if (w ~ /^X/) w = sprintf("X%.4f", substr(w, 2) + dx)
                if (w ~ /^Y/) w = sprintf("Y%.4f", substr(w, 2) + dy)
                line = line (i > 1 ? " " : "") w
            }
            print line rest
        }' "$1"
}
face_of() { ls example-out/*/*"_$1.nc" | head -1; }
{
    echo "G21 ; Set units to mm"
    echo "G90 ; Absolute positioning"
    while read -r face dx dy; do place_face "$(face_of "$face")" "$dx" "$dy"; done <<'PLACES'
Main 5 5
Main 175 5
Left 345 5
Right 421 5
Left 497 5
Back 5 121
Front 175 121
Back 345 121
Right 515 121
Front 5 197
Main 175 197
Back 345 197
Front 5 307
Back 175 307
Back 345 307
PLACES
    echo "M30 ; End of program"
} >sheet.nc
echo "== finished parts: one face ($main_face) and the 600 x 400 mm sheet, $example_runs runs each in turns of 10"
for ((i = 0; i < example_runs; i += 10)); do
    "$spawn_timer" 10 "$preview" "${finished[@]}" "$main_face" >>finished_face.rounds
    "$spawn_timer" 10 "$preview" "${finished[@]}" sheet.nc >>finished_sheet.rounds
done
summarise_rounds finished_face finished_sheet
sheet_lines=$(wc -l <sheet.nc)
sheet_parts=$("$preview" "${finished[@]}" sheet.nc | grep -c $'\tpart\t' || true)

load_after=$(cut -d' ' -f1-3 /proc/loadavg)

# The table, in Markdown.
awk -v runs="$runs" -v example_runs="$example_runs" -v example_name="${example#"$root"/}" \
    -v kb="$k_builder" -v ks="$k_stream" -v kf="$k_fixed" -v kfs="$k_fixed_stream" \
    -v kg="$k_general" -v kgs="$k_general_stream" \
    -v lines="$lines" -v bytes="$bytes" -v ll="$long_lines" -v lb="$long_bytes" \
    -v gw="$(figure gen_write wall)" -v gwc="$(figure gen_write cpu)" -v gwk="$(figure gen_write rss)" \
    -v rw="$(figure ref_write wall)" -v rwc="$(figure ref_write cpu)" -v rwk="$(figure ref_write rss)" \
    -v gs="$(figure gen_simulate wall)" -v gsc="$(figure gen_simulate cpu)" -v gsk="$(figure gen_simulate rss)" \
    -v gl="$(figure gen_long wall)" -v glc="$(figure gen_long cpu)" -v glk="$(figure gen_long rss)" \
    -v el="$example_lines" -v eb="$example_bytes" \
    -v ew="$(cat example.wall)" -v ewmin="$(cat example.best)" -v ec="$(cat example.cpu)" -v ek="$(cat example.rss)" \
    -v ms="$(cat example-simulate.wall)" -v msc="$(cat example-simulate.cpu)" -v msk="$(cat example-simulate.rss)" \
    -v st="$(cat example-dynamic.wall)" -v stc="$(cat example-dynamic.cpu)" -v stk="$(cat example-dynamic.rss)" \
    -v tw="$(cat true.wall)" -v tc="$(cat true.cpu)" -v ow="$(cat empty.wall)" -v oc="$(cat empty.cpu)" \
    -v ok="$(cat empty.rss)" \
    -v fw="$(cat finished.wall)" -v fc="$(cat finished.cpu)" -v fk="$(cat finished.rss)" \
    -v ew2="$(cat example-again.wall)" -v fl="$finished_lines" -v nfaces="${#faces[@]}" \
    -v ffw="$(figure finished_face wall)" -v ffc="$(figure finished_face cpu)" -v ffk="$(figure finished_face rss)" \
    -v fsw="$(figure finished_sheet wall)" -v fsc="$(figure finished_sheet cpu)" -v fsk="$(figure finished_sheet rss)" \
    -v sl="$sheet_lines" -v sp="$sheet_parts" \
    -v load_before="$load_before" -v load_after="$load_after" '
function group(n,   s, out) {
    s = sprintf("%d", n); out = ""
    while (length(s) > 3) { out = "," substr(s, length(s) - 2) out; s = substr(s, 1, length(s) - 3) }
    return s out
}
function seconds(us) { return us >= 100000 ? sprintf("%.3f s", us / 1e6) : sprintf("%.2f ms", us / 1e3) }
function mib(kib) { return sprintf("%.1f MiB", kib / 1024) }
function ratio(x) { return sprintf("%.1fx", x) }
function row(name, l, b, wall, cpu, rate, vs, peak) {
    printf "| %-42s | %10s | %13s | %9s | %9s | %5s | %6s | %8s |\n", name, l, b, wall, cpu, rate, vs, peak
}
function verdict(ok) { return ok ? "met" : "MISSED" }
BEGIN {
    print ""
    printf "Stress project: 6 faces, 480 components. Wall and CPU (user + system) are medians of %d runs taken in turns;\n", runs
    printf "MB/s is 10^6 bytes of G-code per second of wall time (kernels: per second of CPU). Load average %s before, %s after.\n\n", load_before, load_after
    row("Run", "Lines", "Bytes", "Wall", "CPU", "MB/s", "vs ref", "Peak RSS")
    print "|--------------------------------------------|-----------:|--------------:|----------:|----------:|------:|-------:|---------:|"
    row("kernel: line builder, ProgramLines", "", "", "", "", sprintf("%.0f", kb / 1e6), ratio(kb / ks), "")
    row("kernel: lines, ostringstream per number", "", "", "", "", sprintf("%.0f", ks / 1e6), "1.0x", "")
    row("kernel: numbers, fixed two decimals", "", "", "", "", sprintf("%.0f", kf / 1e6), ratio(kf / kfs), "")
    row("kernel: numbers, general form", "", "", "", "", sprintf("%.0f", kg / 1e6), ratio(kg / kgs), "")
    row("stress, writing: veskaro-gcode", group(lines), group(bytes), seconds(gw), seconds(gwc), sprintf("%.0f", bytes / gw), ratio(rw / gw), mib(gwk))
    row("stress, writing: reference", group(lines), group(bytes), seconds(rw), seconds(rwc), sprintf("%.0f", bytes / rw), "1.0x", mib(rwk))
    row("stress, simulate: veskaro-gcode", group(lines), "(not written)", seconds(gs), seconds(gsc), sprintf("%.0f", bytes / gs), ratio(rw / gs), mib(gsk))
    row("stress, 10x longer program: veskaro-gcode", group(ll), group(lb), seconds(gl), seconds(glc), sprintf("%.0f", lb / gl), "", mib(glk))
    row("example, writing: veskaro-gcode", group(el), group(eb), seconds(ew), seconds(ec), "", "", mib(ek))
    row("example, simulate: veskaro-gcode", group(el), "(not written)", seconds(ms), seconds(msc), "", "", mib(msk))
    row("example, writing: same, linked dynamically", group(el), group(eb), seconds(st), seconds(stc), "", "", mib(stk))
    row("empty C++ program, same shared libraries", "", "", seconds(ow), seconds(oc), "", "", mib(ok))
    row("/bin/true: starting any program", "", "", seconds(tw), seconds(tc), "", "", "")
    row(sprintf("finished parts: the example, %d faces", nfaces), group(el), sprintf("%d lines", fl), seconds(fw), seconds(fc), "", "", mib(fk))
    row("finished part: one face, 160 x 100 mm", "", "", seconds(ffw), seconds(ffc), "", "", mib(ffk))
    row(sprintf("finished parts: 600 x 400 mm sheet, %d", sp), group(sl), "", seconds(fsw), seconds(fsc), "", "", mib(fsk))
    print ""
    print "Targets:"
    printf "  whole process >= 5x the reference:         %.1fx  %s\n", rw / gw, verdict(rw / gw >= 5)
    printf "  line-building kernel >= 8x:                %.1fx  %s\n", kb / ks, verdict(kb / ks >= 8)
    printf "  peak RSS <= 32 MiB, stress project:        %s  %s\n", mib(gwk), verdict(gwk <= 32 * 1024)
    printf "  peak RSS, 10x longer, within 10%% of that:  %s (%+.1f%%)  %s\n", mib(glk), 100 * (glk - gwk) / gwk, verdict(glk <= 1.1 * gwk)
    printf "  example under 5 ms wall:                   %s median, %s best of %d (%s)  %s\n", seconds(ew), seconds(ewmin), example_runs, example_name, verdict(ew < 5000)
    printf "    (linked dynamically: %s; an empty C++ program: %s; /bin/true: %s)\n", seconds(st), seconds(ow), seconds(tw)
    printf "  simulate no slower than writing:           %s against %s  %s\n", seconds(gs), seconds(gw), verdict(gs <= gw)
    printf "  finished parts of the example within 10 generator runs and 0.5 s: %s against 10 x %s  %s\n", seconds(fw), seconds(ew2), verdict(fw <= 10 * ew2 && fw <= 500000)
    printf "  one face at most 64 MiB:                   %s  %s\n", mib(ffk), verdict(ffk <= 64 * 1024)
    printf "  the sheet within 256 MiB and 5 s:          %s, %s  %s\n", mib(fsk), seconds(fsw), verdict(fsk <= 256 * 1024 && fsw <= 5000000)
}'
