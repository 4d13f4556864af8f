// skincheck.exe: checks a skin's definition files as the library reads them and prints what it
// ignores or rejects. Exit status 0: nothing to say, 1: warnings only, 2: errors.
#include "CSkinCheck.h"
#include "../ToolConsole.h"

int main()
{
    std::vector<CString> args = ToolArguments();
    CString strOutput;
    CSkinCheck check;
    int nStatus = check.Run(args, strOutput);
    // Usage errors go to the error stream; the report itself to the output.
    WriteUtf8(strOutput, nStatus == CSkinCheck::EXIT_ERRORS && args.empty() ? stderr : stdout);
    return nStatus;
}
