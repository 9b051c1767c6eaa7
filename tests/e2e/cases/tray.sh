# 隐藏至托盘: the window hides behind an icon in the notification area (tip Dormora); double clicks on it
# toggle the window, its menu shows the window and ends the program.
source "$(dirname "$0")/../lib.sh"
start_session
start_dormora
must absent 'Wine System Tray' 300
click "$MAIN" 隐藏至托盘
must gone "$MAIN" 3000
tray=$(drv wait 'Wine System Tray' 5000) || fail "no notification area icon"
read -r x y w h < <(awk -F'\t' '$2 == "__winex11_tray_icon" { split($7, r, ","); print r[1], r[2], r[3], r[4] }' <<<"$tray")
[ -n "$h" ] || fail "no icon in the notification area"
icon_x=$((x + w / 2)) icon_y=$((y + h / 2))

xdotool mousemove "$icon_x" "$icon_y"
tip=$(drv wait class:tooltips_class32 5000) || fail "the icon shows no tip"
[ "$(head -n 1 <<<"$tip" | cut -f8)" = Dormora ] || fail "the icon's tip is \"$(head -n 1 <<<"$tip" | cut -f8)\""

double_click() { xdotool mousemove "$icon_x" "$icon_y" click --repeat 2 --delay 100 1; }
# Hides the window with its button, opens the icon's menu and picks an item by a key and Enter.
pick_from_menu() {  # KEY
    click "$MAIN" 隐藏至托盘
    must gone "$MAIN" 3000
    xdotool mousemove "$icon_x" "$icon_y" click 3
    must wait class:#32768 3000 >/dev/null
    must key class:#32768 - "$1"
    must key class:#32768 - Return
}
double_click
must wait "$MAIN" 3000 >/dev/null
double_click
must gone "$MAIN" 3000
double_click
must wait "$MAIN" 3000 >/dev/null

# The menu: its first item shows the window.
pick_from_menu Down
must wait "$MAIN" 3000 >/dev/null

# Its last item ends the program.
pick_from_menu Up
dialog=$(drv wait 退出 5000) || fail "the menu's last item asks for no password"
grep -q '正确输入密码才能退出程序' <<<"$dialog" || fail "the menu's last item does not exit"
click 退出 确定
expect_exit
must gone 'Wine System Tray' 3000
