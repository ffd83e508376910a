// Hands the document's input to the section design objects.
#pragma once

class CMarivoltenDoc;

// Every design object takes the document's current input; its refusals show as message boxes.
void RefreshDesignInputs(CMarivoltenDoc& doc);

// Sections edited by hand weigh differently: each girder's steel weight per metre (the dead
// load of a re-run) and the estimate follow them.
void FollowSectionEdits(CMarivoltenDoc& doc);
