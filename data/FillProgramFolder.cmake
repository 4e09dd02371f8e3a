# Copies the built data into the program folder: the survey database only
# when the folder has none (it holds the user's records once the program has
# run), the exchange template, the print template, the list export's table
# list and the page notes always. The print template is the catalogue's
# layout, not the person's: an old one would print values beside the wrong
# captions, so it is replaced too. The summary template is copied only while
# the folder has none: the person may replace it with an edited one (the
# summation relies only on its sheet order, label cells, total and data rows).
file(MAKE_DIRECTORY ${TO}/notes)
if(NOT EXISTS ${TO}/2020NB_jg_20200831.mdb)
    file(COPY ${FROM}/2020NB_jg_20200831.mdb DESTINATION ${TO})
endif()
file(COPY ${FROM}/view.dll ${FROM}/2020打印表.xlt DESTINATION ${TO})
if(NOT EXISTS ${TO}/2020基层以上汇总表.xlt)
    file(COPY ${FROM}/2020基层以上汇总表.xlt DESTINATION ${TO})
endif()
file(COPY ${FROM}/exporttable.jg DESTINATION ${TO})
file(GLOB notes ${FROM}/notes/*.rtf)
file(COPY ${notes} DESTINATION ${TO}/notes)
