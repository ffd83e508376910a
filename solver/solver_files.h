// File names, program names and error codes shared by the grillage solver programs and
// the program that runs them. Plain C++ so that both sides can include it.
#pragma once

namespace mvgfiles {

// Work-folder files, all relative to the Work folder (each program's working folder).
inline constexpr const char* kInputFile = "GRIN.DAT";
inline constexpr const char* kModelFile = "GR1.MDL";
inline constexpr const char* kElementFile = "GR2.ELM";
inline constexpr const char* kStiffnessFile = "GR3.STF";
inline constexpr const char* kFactorFile = "GR4.FAC";
inline constexpr const char* kDeadFile = "GR5.DED";
inline constexpr const char* kLiveFile = "GR6.LIV";
inline constexpr int kResultFileCount = 7;
inline constexpr const char* kResultFiles[kResultFileCount] = {
    "GR7_1.TMP", "GR7_2.TMP", "GR7_3.TMP", "GR7_4.TMP", "GR7_5.TMP", "GR7_6.TMP", "GR7_7.TMP"};
inline constexpr const char* kResultList = "RLIST";
inline constexpr const char* kListingFile = "GROUT.LST";
inline constexpr const char* kInputList = "IFIL";
inline constexpr const char* kOutputList = "OFIL";
inline constexpr const char* kErrorFile = "err_file";

// Every file a run may leave in the Work folder, for clearing it before and after a pass.
inline constexpr const char* kKnownFiles[] = {
    "GRIN.DAT", "GR1.MDL", "GR2.ELM", "GR3.STF", "GR4.FAC", "GR5.DED", "GR6.LIV",
    "GR7_1.TMP", "GR7_2.TMP", "GR7_3.TMP", "GR7_4.TMP", "GR7_5.TMP", "GR7_6.TMP", "GR7_7.TMP",
    "RLIST", "IFIL", "OFIL", "err_file", "GROUT.LST"};

// The listing's fixed lines.
inline constexpr const char* kListingMagic = "MVG GRILLAGE LISTING 1";
inline constexpr const char* kListingEnd = "*** END OF LISTING ***";

// Codes left in err_file (first line) and returned as exit status.
enum SolverCode : int {
    kOk = 0,
    kFileMissing = 1,      // IFIL/OFIL missing, or a named input missing or unreadable
    kUnstable = 2,         // non-positive or vanishing pivot
    kSyntaxError = 3,      // GRIN.DAT: unknown or missing section, field count, bad number
    kInconsistent = 4,     // GRIN.DAT: counts, undefined items, lengths, supports
    kWriteFailed = 5,      // an output file cannot be written
    kOutOfMemory = 6,
    kDamaged = 7,          // stale or damaged intermediate, equilibrium, non-finite results
    kProgramFailed = 8,    // set by the driver: missing, crashed, timed out, no err_file
    kListingBroken = 9,    // set by the driver: listing incomplete or unreadable
    kWorkFolder = 10,      // set by the driver: Work folder or input cannot be written
};

// The chain, in running order. IFIL lists the inputs and OFIL the outputs, one a line.
// mvg_combine writes GR7_3 only when the input asks for the reaction detail; RLIST
// names the results it wrote, in listing order. mvg_list runs once per RLIST line,
// with that file as its only input and the listing as its output.
struct Stage {
    const char* program;
    const char* inputs[4];
    int inputCount;
    const char* outputs[8];
    int outputCount;
};

inline constexpr int kStageCount = 8;
inline constexpr Stage kStages[kStageCount] = {
    {"mvg_read", {"GRIN.DAT"}, 1, {"GR1.MDL"}, 1},
    {"mvg_frame", {"GR1.MDL"}, 1, {"GR2.ELM"}, 1},
    {"mvg_assemble", {"GR1.MDL", "GR2.ELM"}, 2, {"GR3.STF"}, 1},
    {"mvg_factor", {"GR3.STF"}, 1, {"GR4.FAC"}, 1},
    {"mvg_dead", {"GR1.MDL", "GR2.ELM", "GR3.STF", "GR4.FAC"}, 4, {"GR5.DED"}, 1},
    {"mvg_live", {"GR1.MDL", "GR2.ELM", "GR3.STF", "GR4.FAC"}, 4, {"GR6.LIV"}, 1},
    {"mvg_combine", {"GR1.MDL", "GR5.DED", "GR6.LIV"}, 3,
     {"GR7_1.TMP", "GR7_2.TMP", "GR7_3.TMP", "GR7_4.TMP", "GR7_5.TMP", "GR7_6.TMP", "GR7_7.TMP",
      "RLIST"},
     8},
    {"mvg_list", {"GR7_1.TMP"}, 1, {"GROUT.LST"}, 1},  // input: one RLIST line at a time
};

} // namespace mvgfiles
