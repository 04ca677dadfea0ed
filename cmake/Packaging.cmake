# The Debian package (cpack -G DEB in the build folder): the installed tree under /usr, stripped, with
# the run-time dependencies dpkg-shlibdeps finds in the program and the browser helper plus those it
# cannot see: the libraries opened with dlopen at first use, a Chinese font and Qt's own translations.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvane-clock)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Orvane)
set(CPACK_PACKAGE_CONTACT "Orvane <orvane-clock@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Desktop alarm clock with reminders and an hourly chime")
# Lines of at most 79 characters: apt and the software centres show them as they are.
set(CPACK_PACKAGE_DESCRIPTION
  "A desktop alarm clock with a Simplified Chinese interface: a list of alarms\n"
  "rung on time with a built-in ring or your own MP3 or WAV file, an analog clock\n"
  "face with the lunar date, a spoken hourly chime, a diary, a screen lock,\n"
  "network time calibration and Chinese-calendar tools.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://orvane-clock.github.io/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# SDL2_mixer (sound) and libcurl (HTTP) are opened by soname at their first use, so shlibdeps never sees
# them; libcurl4 is the flavour that provides libcurl.so.4. Without a CJK font every Chinese text shows
# as boxes, and without qt6-translations-l10n Qt's own dialogs stay English. Qt's Wayland plug-in is a
# dependency, not a recommendation: installed without recommendations, a Wayland session that names it
# (QT_QPA_PLATFORM=wayland, as many do) aborted the program at start, and through XWayland the screen
# lock would hold only X programs' input. It costs a few hundred kB on an X11 desktop.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "libsdl2-mixer-2.0-0, libcurl4, fonts-wqy-microhei | fonts-noto-cjk, qt6-translations-l10n, libqt6svg6")
string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", qt6-wayland")
# The lock's Wayland hold and the Chinese system locale use Qt's private interfaces, which may change in any Qt
# release: the package needs the very release it was built against (Debian's own rule for such programs).
string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", qt6-base-abi (= ${Qt6_VERSION})")
# libpulse is opened at the first ring too, to learn whether the ring can be heard.
string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", libpulse0")
# libical is linked, so shlibdeps finds it too; named here as the promise the alarms' export rests on.
string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", libical3")
# pkexec runs the wake helper (usr/libexec/orvane-clock) under its polkit policy; without it the machine
# is not woken for alarms, and the settings page says so.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "pkexec")
include(CPack)
