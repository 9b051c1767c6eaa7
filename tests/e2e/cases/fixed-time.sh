# 定 时 at the next whole minute at least 40 s ahead, countdown 5 s, open the marker program: the countdown
# window shows at that minute and the program runs 5 s later.
source "$(dirname "$0")/../lib.sh"
start_session
start_dormora
# The date picker shows today; a moment past midnight would need tomorrow.
while [ "$(date -d '+100 seconds' +%F)" != "$(date +%F)" ]; do sleep 5; done
target=$(( ($(date +%s) + 40 + 59) / 60 * 60 ))
expect "$MAIN" '定 时' checked 1
type_value 'right-of:定 时#2' "$(date -d "@$target" +%-H)"
type_value 'right-of:定 时#3' "$(date -d "@$target" +%-M)"
set_countdown 5
choose_marker_file
arm
note "due at $(date -d "@$target" +%T), $((target - ${ARMED_AT%.*}))s after arming"

prompt=$(drv wait 提示 120000) || fail "no countdown window"
shown_at=$EPOCHREALTIME
within -0.5 2.5 "$(awk -v a="$target" -v b="$shown_at" 'BEGIN { printf "%.1f", b - a }')" "countdown window (from the set minute)"
[ "$(prompt_number "$prompt")" = 5 ] || fail "countdown window shows \"$(prompt_number "$prompt")\", expected 5"
ran_at=$(wait_for_run 10) || exit 1
[ "$(marker_lines)" = 1 ] || fail "the program ran $(marker_lines) times"
within 4 7.5 "$(since "$target" "$ran_at")" "program started (from the set minute)"
must gone 提示 3000
expect_idle
