#pragma once

// Makes the styled controls known to the toolkit's accessibility: the fancy button as a push
// button, and a read-only styled edit as the text it shows (the toolkit would announce it as
// editable). Once per program is enough; windows made before it keep what they had.
void InstallWidgetsAccessibility();
