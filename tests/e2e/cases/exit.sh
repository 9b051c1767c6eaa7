# Every way of closing asks for the password: 取消 and a wrong entry keep the program, the right entry ends it,
# and its armed task never acts.
source "$(dirname "$0")/../lib.sh"
start_session
start_dormora
set_password "" s3cret s3cret
message_box "密码修改成功!"
set_delay 0 1
set_countdown 5
choose_marker_file
arm

click "$MAIN" 退出
dialog=$(drv wait 退出 5000) || fail "退出 asks for no password"
grep -q '正确输入密码才能退出程序' <<<"$dialog" || fail "the dialog does not ask for the password to exit"
click 退出 取消
must gone 退出 3000
dormora_running || fail "Dormora.exe ended after 取消"
expect_armed

must close "$MAIN"  # the close box
enter_password wrong
message_box "密码不正确!"
click 退出 取消
must gone 退出 3000
dormora_running || fail "Dormora.exe ended after a wrong password"
expect_armed

must key "$MAIN" - Alt+F4
enter_password s3cret
expect_exit
must gone "$MAIN" 1000

# Past the moment of the task and its countdown: the program is gone and nothing ran.
sleep_until 70
dormora_running && fail "Dormora.exe runs again"
[ "$(marker_lines)" = 0 ] || fail "the task ran after the program ended"
true
