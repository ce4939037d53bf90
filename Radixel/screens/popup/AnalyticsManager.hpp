#pragma once

// Holds nothing and does nothing: the application's events are sent where they happen, through
// DDVAnalytics::logEventWithName.
class AnalyticsManager {};
