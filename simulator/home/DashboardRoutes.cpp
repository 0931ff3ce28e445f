// The dashboard: the home in one answer, built from its current state.
#include "home/CloudService.h"
#include "home/HomeJson.h"

namespace simhome {

void addDashboardRoutes(Router& router) {
  router.add("GET", "/dashboard", GatewayNeed::None,
             [](RequestContext& ctx) { return ctx.listAnswer("dashboard", [&] { return dashboardJson(ctx.home()); }); });
}

}  // namespace simhome
