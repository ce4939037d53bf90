#pragma once

// The interface file "KeTuAdsViewController": the ad's picture filling the screen between a
// round close button at the top ("ketuAdsCloseButton") and the wide discount button at the
// bottom ("ketuAdsDiscountButton"). Registering twice replaces it with the same builder; answers
// true.
bool registerKeTuAdsViewControllerNib();
