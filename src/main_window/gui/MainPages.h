#pragma once
// The six page classes of the main window, for the code that works on several of them (the
// window, the assembly, the page behaviour installed over them).
#include "main_window/gui/DataViewPage.h"
#include "main_window/gui/DownloadPage.h"
#include "main_window/gui/HistoryPage.h"
#include "main_window/gui/InstrumentsPage.h"
#include "main_window/gui/OptionPage.h"
#include "main_window/gui/StoredDataPage.h"
