// The questions input asks before it stores a change that makes earlier results stale.
#pragma once

// "格子計算、断面計算の結果が無効になります。\nよろしいですか。"
extern const char* const kResultsQuestion;

// With grillage results, asks before they are discarded and discards them on yes; false when
// the user keeps them (nothing changed then).
bool DiscardResults();

// A change of the framing (spans, girders, panels) moves the main girder joints. Under hand-set
// joints a framing change asks jointsQuestion; otherwise, with grillage results that the change
// affects, the results question. On yes the joints are laid out again (hand-set ones only when
// lost, which ends the hand setting) and asked-about results are discarded; false when the user
// declines (nothing changed then).
bool ConfirmFramingChange(bool bFramingChanged, const char* jointsQuestion, bool bResultsAffected = true);
