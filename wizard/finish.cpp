// The finish page: start what was chosen, server first, then close.
#include "host/files/run_program.h"
#include "host/text/text.h"
#include "wizard/handlers.h"
#include "wizard/reading.h"

void startChosenPrograms()
{
    // Checked alone decides: a disabled option that stayed checked still starts its program.
    if (isChecked(RunServerOption))
        runProgram(joinText({installPath(), "\\聊天室服务器.exe"}));
    if (isChecked(RunClientOption))
        runProgram(joinText({installPath(), "\\聊天室客户端.exe"}));
    destroyWindow(WizardWindow, WindowItself);
}
