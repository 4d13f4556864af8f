// What the library's entry point tells korvorun's agent of the threads of the process.
#pragma once

void RunAgentThreadStarted();
void RunAgentThreadEnding();
