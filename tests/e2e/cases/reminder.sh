# A reminder every minute: the time-up window at about 60 s, closed, again at about 120 s; the task stays armed.
source "$(dirname "$0")/../lib.sh"
start_session
start_dormora
set_reminder 0 1
# The action settings make no sense for a reminder: its note takes their place.
expect "$MAIN" 任务设定 visible 0
grep -q $'^1\tStatic\t[0-9]*\t1\t.\t-\t[^\t]*\t提醒功能' <<<"$(drv dump "$MAIN")" || fail "the reminder note is not shown"
arm

for round in 1 2; do
    prompt=$(drv wait 提示 $((round * 60000 + 15000))) || fail "no time-up window, round $round"
    within $((round * 60 - 2)) $((round * 60 + 3)) "$(since "$ARMED_AT")" "time-up window $round"
    grep -q $'\t1\t1\t-\t[^\t]*\t时间到了！$' <<<"$prompt" || fail "the time-up window does not show 时间到了！"
    [ -z "$(prompt_number "$prompt")" ] || fail "the time-up window shows a countdown"
    expect_armed
    click 提示 关闭
    must gone 提示 3000
    expect_armed
    # Not again before the next interval.
    [ $round = 2 ] || must absent 提示 "$(ms_until 117)"
done
dormora_running || fail "Dormora.exe ended"
