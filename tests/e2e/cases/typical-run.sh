# Delay 0 h 1 min, countdown 5 s, open a program chosen in the open-file dialog: the countdown window shows 5
# at about 60 s, the program runs at about 65 s, and the main window is idle again.
source "$(dirname "$0")/../lib.sh"
start_session
start_dormora
expect_idle
set_delay 0 1
set_countdown 5
choose_marker_file
arm

prompt=$(drv wait 提示 75000) || fail "no countdown window"
within 58 63 "$(since "$ARMED_AT")" "countdown window"
[ "$(prompt_number "$prompt")" = 5 ] || fail "countdown window shows \"$(prompt_number "$prompt")\", expected 5"
grep -q $'\t秒后执行$' <<<"$prompt" || fail "countdown window without 秒后执行"
# It counts down while the task waits.
counted=
for _ in $(seq 15); do
    n=$(prompt_number "$(drv dump 提示)")
    [ -n "$n" ] && [ "$n" -lt 5 ] && counted=$n && break
    sleep 0.2
done
[ -n "$counted" ] || fail "the countdown window does not count down"
[ "$(marker_lines)" = 0 ] || fail "the program ran before the countdown ended"

ran_at=$(wait_for_run 15) || exit 1
within 63 68 "$(since "$ARMED_AT" "$ran_at")" "program started"
must gone 提示 3000
expect_idle
sleep 3
[ "$(marker_lines)" = 1 ] || fail "the program ran $(marker_lines) times"
dormora_running || fail "Dormora.exe ended"
