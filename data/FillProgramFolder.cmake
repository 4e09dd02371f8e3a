# Copies the built data into the program folder: the survey database only
# when the folder has none (it holds the user's records once the program has
# run), the exchange template, the list export's table list and the page
# notes always.
file(MAKE_DIRECTORY ${TO}/notes)
if(NOT EXISTS ${TO}/2020NB_jg_20200831.mdb)
    file(COPY ${FROM}/2020NB_jg_20200831.mdb DESTINATION ${TO})
endif()
file(COPY ${FROM}/view.dll DESTINATION ${TO})
file(COPY ${FROM}/exporttable.jg DESTINATION ${TO})
file(GLOB notes ${FROM}/notes/*.rtf)
file(COPY ${notes} DESTINATION ${TO}/notes)
