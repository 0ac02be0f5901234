*00000000na   22        45  
*0011000001
*007sd fsngnnmmned
*008061204s2006    sw     j          1      
*020  $a91-0-012345-6
$x91-0-012345-6
*029 1$a9100123
*02961$a1000001
*0410 $aswe
$aeng
*0841 $aHc.01
*1001 $aStröm, Karin
$c1950-
*24500$aVår i Göteborg
$hTalbok
$ben berättelse
$cKarin Ström
*2450 $aDet största = The largest
$bUndertitel
*250  $a2. uppl.
$bRev.
*260  $aStockholm
$bFörlaget
$c2006
*300  $a3 tim. (1 cd)
$c12 cm
*440  $aStora böcker : äventyr / 10
*500  $aKopierad från: Bokförlaget 2005
*500  $aISBN 91-0-012345-6
*5058 $aDel 1. Del 2
*59200$aDALKKONV
$b2023-11-14
*59691$aBokförlaget 2005
$hTalbok
$mLjudbok på CD
*600  $aStröm, Karin
$d1950
*6001 $aStröm, Karin
$c1950-
*660  $aGöteborg
*70093$aSvensson, Per
*70093$aBerg, Eva
*7001 $aBerg, Eva
$4pbl
*852  $hHc
*856  $uhttp://exempel.se/bok
$fvisa1
*8870 $bxTA0000001
^
*00000000nam  22        45  
*0012000001
*007ta
*008061204s2006    sw     j          0      
*02961$a2000001
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
