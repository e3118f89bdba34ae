#include "editor/CustTags.h"

#include "editor/VX2_Cust.h"

namespace vx {

bool TCusTags::Edit() { return EditCustomList<TfrmCustTag>(*this); }

}  // namespace vx
