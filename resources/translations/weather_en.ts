<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB">
<context>
    <name>TavroBox</name>
    <message>
        <source>WEATHER</source>
        <translation>WEATHER</translation>
    </message>
    <message>
        <source>You don't have weather station.</source>
        <translation>You don't have a weather station.</translation>
    </message>
    <message>
        <source>WeatherReadFailed</source>
        <translation>The station's readings could not be read.</translation>
    </message>
    <message>
        <source>WeatherRetry</source>
        <translation>Try again</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Today</translation>
    </message>
    <message>
        <source>Yesterday</source>
        <translation>Yesterday</translation>
    </message>
    <message>
        <source>Last 7 day</source>
        <translation>Last 7 days</translation>
    </message>
    <message>
        <source>Current month</source>
        <translation>This month</translation>
    </message>
    <message>
        <source>Previous month</source>
        <translation>Last month</translation>
    </message>
    <message>
        <source>Current year</source>
        <translation>This year</translation>
    </message>
    <message>
        <source>Previous year</source>
        <translation>Last year</translation>
    </message>
    <message>
        <source>Since my last reset</source>
        <translation>Since my last reset</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>TEMPERATURE</source>
        <translation>TEMPERATURE</translation>
    </message>
    <message>
        <source>HUMIDITY</source>
        <translation>HUMIDITY</translation>
    </message>
    <message>
        <source>ATMOSPHERIC PRESSURE</source>
        <translation>ATMOSPHERIC PRESSURE</translation>
    </message>
    <message>
        <source>WIND</source>
        <translation>WIND</translation>
    </message>
    <message>
        <source>RAIN</source>
        <translation>RAIN</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>Current temperature</translation>
    </message>
    <message>
        <source>Temperature average</source>
        <translation>Average temperature</translation>
    </message>
    <message>
        <source>Temperature min</source>
        <translation>Lowest temperature</translation>
    </message>
    <message>
        <source>Temperature max</source>
        <translation>Highest temperature</translation>
    </message>
    <message>
        <source>Instant humidity</source>
        <translation>Current humidity</translation>
    </message>
    <message>
        <source>Average humidity</source>
        <translation>Average humidity</translation>
    </message>
    <message>
        <source>Humidity min</source>
        <translation>Lowest humidity</translation>
    </message>
    <message>
        <source>Humidity max</source>
        <translation>Highest humidity</translation>
    </message>
    <message>
        <source>Instant pressure</source>
        <translation>Current pressure</translation>
    </message>
    <message>
        <source>Average pressure</source>
        <translation>Average pressure</translation>
    </message>
    <message>
        <source>Pressure min</source>
        <translation>Lowest pressure</translation>
    </message>
    <message>
        <source>Pressure max</source>
        <translation>Highest pressure</translation>
    </message>
    <message>
        <source>Wind instant speed</source>
        <translation>Current speed</translation>
    </message>
    <message>
        <source>Wind average speed</source>
        <translation>Average speed</translation>
    </message>
    <message>
        <source>Wind max speed</source>
        <translation>Strongest gust</translation>
    </message>
    <message>
        <source>Wind direction</source>
        <translation>Wind direction</translation>
    </message>
    <message>
        <source>Rain</source>
        <translation>Rain in the last hour</translation>
    </message>
    <message>
        <source>Rain max</source>
        <translation>Total rainfall</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Falling</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Rising</translation>
    </message>
    <message>
        <source>Steady</source>
        <translation>Steady</translation>
    </message>
    <message>
        <source>Indoor</source>
        <translation>Indoor</translation>
    </message>
    <message>
        <source>Outdoor</source>
        <translation>Outdoor</translation>
    </message>
    <message>
        <source>WeatherDateLine</source>
        <translation>on %1 at %2</translation>
    </message>
    <message>
        <source>North</source>
        <translation>North</translation>
    </message>
    <message>
        <source>North Northeast</source>
        <translation>North-northeast</translation>
    </message>
    <message>
        <source>North East</source>
        <translation>Northeast</translation>
    </message>
    <message>
        <source>North East East</source>
        <translation>East-northeast</translation>
    </message>
    <message>
        <source>East</source>
        <translation>East</translation>
    </message>
    <message>
        <source>South East East</source>
        <translation>East-southeast</translation>
    </message>
    <message>
        <source>South East</source>
        <translation>Southeast</translation>
    </message>
    <message>
        <source>South South East</source>
        <translation>South-southeast</translation>
    </message>
    <message>
        <source>South</source>
        <translation>South</translation>
    </message>
    <message>
        <source>South Southwest</source>
        <translation>South-southwest</translation>
    </message>
    <message>
        <source>Southwest</source>
        <translation>Southwest</translation>
    </message>
    <message>
        <source>South West West</source>
        <translation>West-southwest</translation>
    </message>
    <message>
        <source>West</source>
        <translation>West</translation>
    </message>
    <message>
        <source>North West West</source>
        <translation>West-northwest</translation>
    </message>
    <message>
        <source>Northwest</source>
        <translation>Northwest</translation>
    </message>
    <message>
        <source>North Northwest</source>
        <translation>North-northwest</translation>
    </message>
    <message>
        <source>kCtrlGalleryWeather</source>
        <translation>Weather</translation>
    </message>
    <message>
        <source>kCtrlGalleryWeatherPanels</source>
        <translation>Weather panels</translation>
    </message>
    <message>
        <source>kCtrlGalleryWeatherMenu</source>
        <translation>Period menu</translation>
    </message>
</context>
</TS>
