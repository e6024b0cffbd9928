# Addresses and names that are values of the build. Tests and the demo point the program
# at the bundled local service with the --service command-line option instead.
set(RADAR_AUTHOR_ACCOUNT "10000" CACHE STRING "The author's messenger account number shown in the main window")
set(RADAR_MOBILE_SITE "http://m.kuaidi100.com" CACHE STRING "Tracking service: mobile site (courier list)")
set(RADAR_MAIN_SITE "http://www.kuaidi100.com" CACHE STRING "Tracking service: main site (number detection)")
set(RADAR_DETAIL_SITE "http://www.kuaidi100.com" CACHE STRING "Tracking service: detail site (history pages)")
set(RADAR_FEED_SITE "http://qzone-music.qq.com" CACHE STRING "Host of the author's blog feed (notice and version)")
set(RADAR_COUNTER_PAGE "http://share.weiyun.com/radar" CACHE STRING "The author's file-sharing page with the usage counters")
set(RADAR_BLOG_LINK "http://user.qzone.qq.com/${RADAR_AUTHOR_ACCOUNT}" CACHE STRING "The author's blog page")
set(RADAR_CHAT_LINK "tencent://message/?uin=${RADAR_AUTHOR_ACCOUNT}&Site=&Menu=yes" CACHE STRING
    "Messenger link that opens a chat with the author")
