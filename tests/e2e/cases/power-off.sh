# Delay 1 min without countdown, 关闭计算机: at about 60 s the whole Wine session of the prefix ends.
source "$(dirname "$0")/../lib.sh"
start_session
start_dormora
set_delay 0 1
set_countdown off
choose_action 关闭计算机
arm

# No countdown window on the way; shortly before the moment the session still stands.
must absent 提示 "$(ms_until 55)"
before=$(session_pids | wc -l)
dormora_running || fail "Dormora.exe ended early"
[ -n "$(session_pids e2e_driver.exe)" ] || fail "the session's other programs ended early"
note "$before Wine processes in the session at 55 s"

end=$((SECONDS + 25))
while [ -n "$(session_pids)" ]; do
    [ $SECONDS -lt $end ] || fail "still running after the moment: $(for p in $(session_pids); do cat /proc/$p/comm; done | tr '\n' ' ')"
    sleep 0.2
done
within 58 64 "$(since "$ARMED_AT")" "session ended"
