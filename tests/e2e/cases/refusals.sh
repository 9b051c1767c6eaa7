# Settings that cannot be armed are refused with their message and leave the program idle.
source "$(dirname "$0")/../lib.sh"
start_session
start_dormora
expect_idle
# The clock shows the local time and goes on.
clock=
for _ in $(seq 20); do
    clock=$(drv get "$MAIN" DormoraLed#0 text)
    [ -n "$clock" ] && break
    sleep 0.2
done
[[ $clock =~ ^[0-9]{4}-[0-9]{2}-[0-9]{2}\ [0-9]{2}:[0-9]{2}:[0-9]{2}$ ]] || fail "the clock shows \"$clock\""
off=$(( $(date +%s) - $(date -d "$clock" +%s) ))
[ "${off#-}" -le 2 ] || fail "the clock shows $clock, ${off}s off"
sleep 1.2
[ "$(drv get "$MAIN" DormoraLed#0 text)" != "$clock" ] || fail "the clock stands still at $clock"
# The start state: fixed time, today at 00:00, already past.
expect "$MAIN" '定 时' checked 1
expect "$MAIN" 'right-of:定 时#1' text "$(date +%F)"
expect "$MAIN" 'right-of:定 时#2' text 0
expect "$MAIN" 'right-of:定 时#3' text 0
click "$MAIN" 执行任务
message_box "当前日期已经超过您设定的日期了,请检查！"
expect_idle

set_delay 0 0
click "$MAIN" 执行任务
message_box "间隔时间太短了，请重新设置"
expect_idle

set_reminder 0 0
click "$MAIN" 执行任务
message_box "间隔时间太短了，请重新设置"
expect_idle

# Without a password, any entry lets the program end.
click "$MAIN" 退出
enter_password anything
expect_exit
