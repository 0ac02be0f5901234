*00000000nam  22        45  
*0012000001
*007ta
*008061204s2006    sw     j          0      
*02961$a2000001
*02961$a2000002
*02961$a2000003
*0410 $aswe
*24500$aSamlade verk
*260  $aUppsala
$bAkademiförlaget
$c2004
*59200$aDALKKONV
$b2023-11-14
*59691$hBok
$mKartong
*8870 $bxKA0000002
^
