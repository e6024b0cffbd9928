# Addresses and names that are values of the build. Tests and the demo point the program
# at the bundled local service with the --service command-line option instead.
set(RADAR_AUTHOR_ACCOUNT "10000" CACHE STRING "The author's messenger account number shown in the main window")
