# Sources of the reading table, the printer adapter, the two printouts and the limit flow.
target_sources(kalvendo_core PRIVATE
    graph/graphprint.cpp
    meterlink/limitflow.cpp
    platform/printer.h
    table/tableprint.cpp
)
target_sources(kalvendo_platform PRIVATE
    platform/qtprinter.cpp
)
target_sources(kalvendo_forms PRIVATE
    table/readingtablemodel.cpp
)
