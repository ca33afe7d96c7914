#include "device/FailureReason.h"

namespace vornexgfx {
namespace {

struct LastFailure {
    HRESULT code = D3D_OK;
    std::string reason;
};

thread_local LastFailure t_lastFailure;

} // namespace

HRESULT failWith(HRESULT hr, std::string reason) {
    t_lastFailure.code = hr;
    t_lastFailure.reason = std::move(reason);
    return hr;
}

const std::string& failureReason(HRESULT hr) {
    static const std::string none;
    return t_lastFailure.code == hr ? t_lastFailure.reason : none;
}

} // namespace vornexgfx
