# The core's subsystems, lowest first, each with the subsystems it builds on (see
# cmake/Seams.cmake: the build refuses an include that this list does not allow).
pelmorix_core_subsystem(base)                 # bilingual text, language, skin, colour, geometry
pelmorix_core_subsystem(eval base)
pelmorix_core_subsystem(console base eval)
pelmorix_core_subsystem(graph base eval)
pelmorix_core_subsystem(bignum base)
pelmorix_core_subsystem(units base eval)
pelmorix_core_subsystem(app base)
pelmorix_core_subsystem(skin base)            # frame geometry and the skin table
pelmorix_core_subsystem(keep base eval graph) # the console kept between runs and its file format
