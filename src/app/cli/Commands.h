#pragma once

// Each command takes the arguments after its name.
namespace corvane::cli {

int RunMonitor(int argc, char** argv);
int RunLookup(int argc, char** argv);
int RunAccount(int argc, char** argv);

}  // namespace corvane::cli
