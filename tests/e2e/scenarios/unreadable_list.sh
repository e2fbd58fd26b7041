# A damaged list among good ones: every list keeps its row and the damaged one says Error; its
# error is reported once at start, and neither the focus coming back from that report nor a refresh
# reports it again.

REPORT_OK=(120 192)
VIEW_BUTTON=(115 310)
REFRESH_ITEM=(120 284)

e2e_install
e2e_add_damaged_list Broken 6

e2e_start_corvina
e2e_expect_screen report
e2e_tap "${REPORT_OK[@]}"
e2e_expect_screen rows-after-report
e2e_tap "${VIEW_BUTTON[@]}"
e2e_tap "${REFRESH_ITEM[@]}"
# The same as right after the report was closed: no second report.
e2e_expect_screen rows-after-refresh --tap "${REPORT_OK[0]},${REPORT_OK[1]}"

e2e_key Escape
e2e_expect_exit 0
