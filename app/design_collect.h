// Hands the document's input to the section design objects.
#pragma once

class CMarivoltenDoc;

// Every design object takes the document's current input; its refusals show as message boxes.
void RefreshDesignInputs(CMarivoltenDoc& doc);
