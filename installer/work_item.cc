#include "installer/work_item.h"

#include "installer/installer_strings.h"
#include "support/install_log.h"

namespace vireo {

void CWorkItem::NoteRollbackFailure(const std::wstring& path, unsigned long error) {
  rollback_complete_ = false;
  CInstallLog::Get().Write(kRollbackItemFailedLog, path.c_str(), static_cast<unsigned>(error));
}

void CWorkItem::NoteRollbackFailures(const std::vector<RestoreFailure>& failures) {
  for (const RestoreFailure& failure : failures) NoteRollbackFailure(failure.path, failure.error);
}

}  // namespace vireo
