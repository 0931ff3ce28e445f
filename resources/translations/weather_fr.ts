<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>TavroBox</name>
    <message>
        <source>WEATHER</source>
        <translation>MÉTÉO</translation>
    </message>
    <message>
        <source>You don't have weather station.</source>
        <translation>Vous n'avez pas de station météo.</translation>
    </message>
    <message>
        <source>WeatherReadFailed</source>
        <translation>Les relevés de la station n'ont pas pu être lus.</translation>
    </message>
    <message>
        <source>WeatherRetry</source>
        <translation>Réessayer</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Aujourd'hui</translation>
    </message>
    <message>
        <source>Yesterday</source>
        <translation>Hier</translation>
    </message>
    <message>
        <source>Last 7 day</source>
        <translation>7 derniers jours</translation>
    </message>
    <message>
        <source>Current month</source>
        <translation>Mois en cours</translation>
    </message>
    <message>
        <source>Previous month</source>
        <translation>Mois précédent</translation>
    </message>
    <message>
        <source>Current year</source>
        <translation>Année en cours</translation>
    </message>
    <message>
        <source>Previous year</source>
        <translation>Année précédente</translation>
    </message>
    <message>
        <source>Since my last reset</source>
        <translation>Depuis ma dernière remise à zéro</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>RAZ</translation>
    </message>
    <message>
        <source>TEMPERATURE</source>
        <translation>TEMPÉRATURE</translation>
    </message>
    <message>
        <source>HUMIDITY</source>
        <translation>HUMIDITÉ</translation>
    </message>
    <message>
        <source>ATMOSPHERIC PRESSURE</source>
        <translation>PRESSION ATMOSPHÉRIQUE</translation>
    </message>
    <message>
        <source>WIND</source>
        <translation>VENT</translation>
    </message>
    <message>
        <source>RAIN</source>
        <translation>PLUIE</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>Température actuelle</translation>
    </message>
    <message>
        <source>Temperature average</source>
        <translation>Température moyenne</translation>
    </message>
    <message>
        <source>Temperature min</source>
        <translation>Température minimale</translation>
    </message>
    <message>
        <source>Temperature max</source>
        <translation>Température maximale</translation>
    </message>
    <message>
        <source>Instant humidity</source>
        <translation>Humidité actuelle</translation>
    </message>
    <message>
        <source>Average humidity</source>
        <translation>Humidité moyenne</translation>
    </message>
    <message>
        <source>Humidity min</source>
        <translation>Humidité minimale</translation>
    </message>
    <message>
        <source>Humidity max</source>
        <translation>Humidité maximale</translation>
    </message>
    <message>
        <source>Instant pressure</source>
        <translation>Pression actuelle</translation>
    </message>
    <message>
        <source>Average pressure</source>
        <translation>Pression moyenne</translation>
    </message>
    <message>
        <source>Pressure min</source>
        <translation>Pression minimale</translation>
    </message>
    <message>
        <source>Pressure max</source>
        <translation>Pression maximale</translation>
    </message>
    <message>
        <source>Wind instant speed</source>
        <translation>Vitesse actuelle</translation>
    </message>
    <message>
        <source>Wind average speed</source>
        <translation>Vitesse moyenne</translation>
    </message>
    <message>
        <source>Wind max speed</source>
        <translation>Rafale maximale</translation>
    </message>
    <message>
        <source>Wind direction</source>
        <translation>Direction du vent</translation>
    </message>
    <message>
        <source>Rain</source>
        <translation>Pluie de la dernière heure</translation>
    </message>
    <message>
        <source>Rain max</source>
        <translation>Cumul de pluie</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>En baisse</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>En hausse</translation>
    </message>
    <message>
        <source>Steady</source>
        <translation>Stable</translation>
    </message>
    <message>
        <source>Indoor</source>
        <translation>Intérieur</translation>
    </message>
    <message>
        <source>Outdoor</source>
        <translation>Extérieur</translation>
    </message>
    <message>
        <source>WeatherDateLine</source>
        <translation>le %1 à %2</translation>
    </message>
    <message>
        <source>North</source>
        <translation>Nord</translation>
    </message>
    <message>
        <source>North Northeast</source>
        <translation>Nord-nord-est</translation>
    </message>
    <message>
        <source>North East</source>
        <translation>Nord-est</translation>
    </message>
    <message>
        <source>North East East</source>
        <translation>Est-nord-est</translation>
    </message>
    <message>
        <source>East</source>
        <translation>Est</translation>
    </message>
    <message>
        <source>South East East</source>
        <translation>Est-sud-est</translation>
    </message>
    <message>
        <source>South East</source>
        <translation>Sud-est</translation>
    </message>
    <message>
        <source>South South East</source>
        <translation>Sud-sud-est</translation>
    </message>
    <message>
        <source>South</source>
        <translation>Sud</translation>
    </message>
    <message>
        <source>South Southwest</source>
        <translation>Sud-sud-ouest</translation>
    </message>
    <message>
        <source>Southwest</source>
        <translation>Sud-ouest</translation>
    </message>
    <message>
        <source>South West West</source>
        <translation>Ouest-sud-ouest</translation>
    </message>
    <message>
        <source>West</source>
        <translation>Ouest</translation>
    </message>
    <message>
        <source>North West West</source>
        <translation>Ouest-nord-ouest</translation>
    </message>
    <message>
        <source>Northwest</source>
        <translation>Nord-ouest</translation>
    </message>
    <message>
        <source>North Northwest</source>
        <translation>Nord-nord-ouest</translation>
    </message>
    <message>
        <source>kCtrlGalleryWeather</source>
        <translation>Météo</translation>
    </message>
    <message>
        <source>kCtrlGalleryWeatherPanels</source>
        <translation>Panneaux météo</translation>
    </message>
    <message>
        <source>kCtrlGalleryWeatherMenu</source>
        <translation>Menu des périodes</translation>
    </message>
</context>
</TS>
