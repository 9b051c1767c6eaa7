# 修改密码: mismatched entries and a wrong old password are refused; a change is stored as the MD5 digest in
# c:\DormoraConfig.dll, and the exit check then asks for the new password.
source "$(dirname "$0")/../lib.sh"
start_session
start_dormora
config=$WINEPREFIX/drive_c/DormoraConfig.dll
stored() { [ -f "$config" ] && tr -d '\r' <"$config" | sed -n 's/^PW=//p'; }
digest() { printf %s "$1" | md5sum | cut -d' ' -f1; }

set_password "" first1 first2
message_box "两次输入的新密码不一样!"
must wait 修改密码 1000 >/dev/null
[ -z "$(stored)" ] || fail "a refused change was stored"
must type 修改密码 right-of:新密码： secret1
must type 修改密码 right-of:确认新密码： secret1
click 修改密码 确定
message_box "密码修改成功!"
must gone 修改密码 3000
[ "$(stored)" = "$(digest secret1)" ] || fail "stored PW=\"$(stored)\", expected the digest of the new password"
grep -q '^\[Config\]' <(tr -d '\r' <"$config") || fail "no [Config] section in DormoraConfig.dll"

set_password wrong secret2 secret2
message_box "原密码不正确!"
must wait 修改密码 1000 >/dev/null
[ "$(stored)" = "$(digest secret1)" ] || fail "a change with a wrong old password was stored"
must type 修改密码 'right-of:原密码(默认为空)：---' secret1
click 修改密码 确定
message_box "密码修改成功!"
[ "$(stored)" = "$(digest secret2)" ] || fail "the second change was not stored"

click "$MAIN" 退出
enter_password secret1
message_box "密码不正确!"
dormora_running || fail "Dormora.exe ended on the old password"
must type 退出 right-of:密码: secret2
click 退出 确定
expect_exit
