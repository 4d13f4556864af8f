// skinpreview.exe: paints a skin's window frame in each state, and its colours, into PNG files
// with the library's own painting code, without a host.
#include "CSkinPreview.h"
#include "../ToolConsole.h"

int main()
{
    CString strOutput;
    int nStatus = CSkinPreview().Run(ToolArguments(), strOutput);
    WriteUtf8(strOutput, stdout);
    return nStatus;
}
