#pragma once
#include <optional>
#include <string>

class QMimeData;

// The path of the one local file a drag carries (as a file manager offers it); nothing for
// several files, remote addresses or plain text.
std::optional<std::string> DroppedFile(const QMimeData* data);
