# 放弃任务 asks for the password: 取消 and a wrong entry keep the task, the right one abandons it for good, even
# while its countdown runs.
source "$(dirname "$0")/../lib.sh"
start_session
start_dormora
set_password "" letmein letmein
message_box "密码修改成功!"
set_delay 0 1
set_countdown 20
choose_marker_file
arm

click "$MAIN" 放弃任务
dialog=$(drv wait 退出 5000) || fail "no password dialog"
grep -q '正确输入密码才能放弃任务' <<<"$dialog" || fail "the dialog does not ask for the password to abandon"
click 退出 取消
must gone 退出 3000
expect_armed

prompt=$(drv wait 提示 75000) || fail "no countdown window"
within 58 63 "$(since "$ARMED_AT")" "countdown window"
[ "$(prompt_number "$prompt")" = 20 ] || fail "countdown window shows \"$(prompt_number "$prompt")\", expected 20"
click "$MAIN" 放弃任务
enter_password wrong
message_box "密码不正确!"
must wait 退出 1000 >/dev/null
must type 退出 right-of:密码: letmein
click 退出 确定
must gone 退出 3000
must gone 提示 3000
expect_idle
note "abandoned at $(since "$ARMED_AT")s"

# Past the end of the countdown: nothing shows again, nothing runs.
must absent 提示 "$(ms_until 85)"
[ "$(marker_lines)" = 0 ] || fail "the abandoned task ran the program"
dormora_running || fail "Dormora.exe ended"
expect_idle
