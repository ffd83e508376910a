// The eight programs of the chain: their work over the Work-folder files, and the
// common frame of a program run (IFIL/OFIL, err_file, exit status).
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace mvg {

struct StageFiles {
    std::vector<std::string> in, out;  // as listed in IFIL and OFIL
};

void RunRead(const StageFiles& f);
void RunFrame(const StageFiles& f);
void RunAssemble(const StageFiles& f);
void RunFactor(const StageFiles& f);
void RunDead(const StageFiles& f);
void RunLive(const StageFiles& f);
void RunCombine(const StageFiles& f);
void RunList(const StageFiles& f);

// Reads IFIL and OFIL from the working folder (the given counts of names; a negative
// count takes any number), runs the stage, removes its outputs on failure and writes
// err_file last. Returns the code, which is also the exit status.
int RunProgram(const char* name, int inputs, int outputs, const std::function<void(const StageFiles&)>& stage);

} // namespace mvg
