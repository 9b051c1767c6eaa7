# A countdown after a reminder has shown its time-up window (the prompt window serves both): it counts down to 1,
# closes itself and the program runs five task ticks after the countdown began. The window's own timer kept
# running from the time-up showing, with its phase, so its first step may come in less than a second.
source "$(dirname "$0")/../lib.sh"
start_session
start_dormora
set_reminder 0 1
arm
must wait 提示 75000 >/dev/null
click 提示 关闭
must gone 提示 3000
click "$MAIN" 放弃任务
enter_password ""
must gone 退出 3000
expect_idle

set_delay 0 1
set_countdown 5
choose_marker_file
arm
prompt=$(drv wait 提示 75000) || fail "no countdown window"
shown_at=$EPOCHREALTIME
within 58 63 "$(since "$ARMED_AT")" "countdown window"
# The times at which each number was first seen.
seen=$(prompt_number "$prompt") changes=
while dump=$(drv dump 提示); do
    n=$(prompt_number "$dump")
    [ -n "$n" ] && [ "$n" != "${seen##* }" ] && seen+=" $n" && changes+=" $(since "$shown_at")"
    [ "${SECONDS}" -lt 300 ] || break
done
note "numbers $seen, changing at$changes s"
case "$seen" in
    "5 4 3 2 1" | "4 3 2 1") ;;
    *) fail "the countdown window showed \"$seen\", expected it to count down to 1" ;;
esac
ran_at=$(wait_for_run 5) || exit 1
[ "$(marker_lines)" = 1 ] || fail "the program ran $(marker_lines) times"
within 4.5 6.5 "$(since "$shown_at" "$ran_at")" "program started after the countdown window"
expect_idle
