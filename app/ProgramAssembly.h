#pragma once
// Where the program is put together: the main window with the program's own services, and the
// behaviour of its pages installed on it. Nothing below app/ knows the page implementations.
#include <memory>

namespace mt52 {

class frmMain;

// The main window with every page's behaviour installed.
std::unique_ptr<frmMain> AssembleMainWindow();

// Installs the behaviour of the window's pages: each implementation is handed its page objects
// and the window's PageContext, never the window itself.
void InstallPages(frmMain& window);

}  // namespace mt52
